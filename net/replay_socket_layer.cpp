#include "net/replay_socket_layer.h"

#include <algorithm>
#include <cstring>

namespace net {
namespace {
constexpr int kReplaySocket = 3;
constexpr int kConnectionReset = 10054;
}  // namespace

ReplaySocketLayer::ReplaySocketLayer(std::string serverBytes, std::size_t receiveSize,
                                     Stream stream)
    : serverBytes_(std::move(serverBytes)),
      receiveSize_(std::max<std::size_t>(receiveSize, 1)),
      stream_(stream) {}

int ReplaySocketLayer::Socket(int, int) {
    if (stream_ == Stream::kRestartEachConnection) position_ = 0;
    return kReplaySocket;
}

int ReplaySocketLayer::Bind(int, const std::string&, int) {
    return 0;
}

int ReplaySocketLayer::Connect(int, const std::string&, int, TimeLimit) {
    return 0;
}

long ReplaySocketLayer::Send(int, const char*, std::size_t count) {
    return static_cast<long>(count);
}

long ReplaySocketLayer::Recv(int, char* data, std::size_t count) {
    const std::size_t size = std::min({count, receiveSize_, serverBytes_.size() - position_});
    std::memcpy(data, serverBytes_.data() + position_, size);
    position_ += size;
    return static_cast<long>(size);
}

int ReplaySocketLayer::Select(const std::vector<int>&, TimeLimit) {
    return 1;
}

int ReplaySocketLayer::Shutdown(int, int) {
    return 0;
}

int ReplaySocketLayer::CloseSocket(int) {
    return 0;
}

int ReplaySocketLayer::GetSockName(int, std::string& ip, int& port) {
    ip = "127.0.0.1";
    port = 40000;
    return 0;
}

int ReplaySocketLayer::GetPeerName(int, std::string& ip, int& port) {
    ip = "127.0.0.1";
    port = 8080;
    return 0;
}

int ReplaySocketLayer::SetSocketOption(int, int, int, int) {
    return 0;
}

bool ReplaySocketLayer::ResolveHost(const std::string&, std::string& address, TimeLimit) {
    address = "127.0.0.1";
    return true;
}

int ReplaySocketLayer::LastErrorCode() const {
    return kConnectionReset;
}

}  // namespace net
