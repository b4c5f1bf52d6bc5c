#include "net/socket_handle.h"

#include "net/errors.h"
#include "net/socket_error_codes.h"

namespace net {

void SocketHandle::Reset(bool resetLocal) {
    handle_ = -1;
    allocated_ = false;
    peerIp_.clear();
    peerPort_ = 0;
    if (resetLocal) {
        localIp_.clear();
        localPort_ = 0;
    }
}

void SocketHandle::AllocateSocket(int type, int protocol) {
    CloseSocket();
    handle_ = stack_.CreateSocket(type, protocol);
    allocated_ = true;
}

void SocketHandle::CloseSocket() {
    if (!allocated_) return;
    stack_.Shutdown(handle_, kShutdownSend);
    stack_.CloseSocket(handle_);
    Reset();
}

void SocketHandle::Bind(const std::string& ip, int port) {
    if (stack_.Bind(handle_, ip, port) == -1) {
        int code = stack_.LastErrorCode();
        if (code == kWsaAddressInUse) throw CouldNotBindSocket();
        SocketLayer::RaiseStackError(code);
    }
    localIp_ = ip;
    localPort_ = port;
}

void SocketHandle::SetPeer(const std::string& ip, int port) {
    peerIp_ = ip;
    peerPort_ = port;
}

int SocketHandle::Connect(TimeLimit limit) {
    int result = stack_.Connect(handle_, peerIp_, peerPort_, limit);
    if (result != -1) {
        stack_.GetSockName(handle_, localIp_, localPort_);
        stack_.GetPeerName(handle_, peerIp_, peerPort_);
    }
    return result;
}

bool SocketHandle::WaitReadable(TimeLimit limit) {
    if (!allocated_) throw ConnClosedGracefully();
    return stack_.WaitReadable({handle_}, limit);
}

}  // namespace net
