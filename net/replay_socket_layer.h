// A socket layer without a network: every connection reads from one recorded stream of server
// bytes, and whatever the client sends is accepted and dropped. The fuzz target and the
// benchmarks use it to drive the HTTP client on exact bytes without touching the system.
#pragma once

#include <cstddef>
#include <string>

#include "net/socket_layer.h"

namespace net {

class ReplaySocketLayer final : public SocketLayer {
  public:
    enum class Stream {
        kRestartEachConnection,      // every new socket reads the recording from its start
        kContinueAcrossConnections,  // later sockets read on where the previous one stopped
    };

    // `receiveSize`: most bytes one receive hands over (1 or more), to split lines anywhere.
    ReplaySocketLayer(std::string serverBytes, std::size_t receiveSize, Stream stream);

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
    bool ResolveHost(const std::string& name, std::string& address, TimeLimit limit) override;
    int LastErrorCode() const override;

  private:
    std::string serverBytes_;
    std::size_t receiveSize_;
    Stream stream_;
    std::size_t position_ = 0;
};

}  // namespace net
