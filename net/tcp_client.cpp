#include "net/tcp_client.h"

#include "net/errors.h"

namespace net {

TcpClient::TcpClient(std::shared_ptr<SocketLayer> stack) : TcpConnection(std::move(stack)) {}

void TcpClient::OpenConnection() {
    if (Binding().HandleAllocated()) throw AlreadyConnected();
    ResetConnection();
    Binding().AllocateSocket(kSocketStream, kProtocolTcp);
    try {
        Binding().Bind(boundIp_, 0);
        if (socks_.version != SocksVersion::svNoSocks) throw SocksNotSupported();
        std::string peer = host_;
        if (!SocketLayer::IsIPv4Text(host_)) {
            DoStatus(Status::hsResolving, host_);
            peer = Stack().LookupHost(host_, EffectiveLimit(connectTimeout_));
        }
        Binding().SetPeer(peer, port_);
        if (!useNagle_) {
            Stack().CheckSocketResult(
                Stack().SetSocketOption(Binding().Handle(), kProtocolTcp, kTcpNoDelay, 1));
        }
        DoStatus(Status::hsConnecting, peer);
        Stack().CheckSocketResult(Binding().Connect(EffectiveLimit(connectTimeout_)));
    } catch (...) {
        try {
            Binding().CloseSocket();
        } catch (...) {
            // The first error is the one to report.
        }
        throw;
    }
    DoStatus(Status::hsConnected, Binding().PeerIp());
    if (onConnected) onConnected();
}

}  // namespace net
