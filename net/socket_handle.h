// One socket with its local and peer addresses (the binding of a connection).
#pragma once

#include <string>

#include "net/socket_layer.h"
#include "net/time_limit.h"

namespace net {

class SocketHandle {
  public:
    // The stack must outlive the handle.
    explicit SocketHandle(SocketLayer& stack) : stack_(stack) {}
    SocketHandle(const SocketHandle&) = delete;
    SocketHandle& operator=(const SocketHandle&) = delete;

    const std::string& LocalIp() const { return localIp_; }
    int LocalPort() const { return localPort_; }
    const std::string& PeerIp() const { return peerIp_; }
    int PeerPort() const { return peerPort_; }
    int Handle() const { return handle_; }
    bool HandleAllocated() const { return allocated_; }

    // No socket, no peer; with resetLocal also no local address.
    void Reset(bool resetLocal = false);

    // Opens a socket, closing any previous one first. Raises InvalidSocket.
    void AllocateSocket(int type = kSocketStream, int protocol = kProtocolTcp);

    // Shuts the sending direction down, closes the socket and resets; nothing when none is
    // allocated. Failures of the platform are ignored: the socket is gone either way.
    void CloseSocket();

    // Binds to the local IP (empty: any address) and port (0: any port). An address in use
    // raises CouldNotBindSocket, other failures their SocketError.
    void Bind(const std::string& ip, int port);

    void SetPeer(const std::string& ip, int port);

    // Connects to the peer within the limit; returns the platform's result (-1 on failure).
    // On success the local and peer addresses are read back.
    int Connect(TimeLimit limit);

    // Whether the socket became readable (data, close or error) within the limit. Raises
    // ConnClosedGracefully when no socket is allocated.
    bool WaitReadable(TimeLimit limit);

    long Send(const char* data, std::size_t count) { return stack_.Send(handle_, data, count); }
    long Recv(char* data, std::size_t count) { return stack_.Recv(handle_, data, count); }

  private:
    SocketLayer& stack_;
    std::string localIp_;
    int localPort_ = 0;
    std::string peerIp_;
    int peerPort_ = 0;
    int handle_ = -1;
    bool allocated_ = false;
};

}  // namespace net
