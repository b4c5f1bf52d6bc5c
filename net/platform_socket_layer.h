// The socket stack bound to the POSIX socket functions.
//
// Blocking sockets; waits go through poll(). Sending never raises SIGPIPE (MSG_NOSIGNAL), so a
// peer that went away is an error of the call, not the end of the program. errno values are
// reported as Windows Sockets numbers (ECONNREFUSED as 10061 ...). The last error is kept per
// thread, like the platform's own.
#pragma once

#include "net/socket_layer.h"

namespace net {

class PlatformSocketLayer : public SocketLayer {
  public:
    int Socket(int type, int protocol) override;
    int Bind(int socket, const std::string& ip, int port) override;
    int Connect(int socket, const std::string& ip, int port, TimeLimit limit) override;
    long Send(int socket, const char* data, std::size_t count) override;
    long Recv(int socket, char* data, std::size_t count) override;
    int Select(const std::vector<int>& sockets, TimeLimit limit) override;
    int Shutdown(int socket, int how) override;
    int CloseSocket(int socket) override;
    int GetSockName(int socket, std::string& ip, int& port) override;
    int GetPeerName(int socket, std::string& ip, int& port) override;
    int SetSocketOption(int socket, int level, int option, int value) override;
    // getaddrinfo() has no time limit of its own: with a limit it runs on a thread of its
    // own, which is left to finish alone when the limit expires.
    bool ResolveHost(const std::string& name, std::string& address, TimeLimit limit) override;
    int LastErrorCode() const override;
};

}  // namespace net
