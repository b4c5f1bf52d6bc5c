// Feeds arbitrary reply bytes to the HTTP client through an in-memory socket stack: whatever
// the server sends, the client must end with a NetError or a result, never crash, hang or
// allocate beyond what it received.
//
// Input: the first byte sets the size of each receive (1 to 256 bytes, to split lines and
// chunks everywhere) and whether redirects are followed; the rest is everything the server
// sends, over as many connections as the client opens.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "net/byte_sink.h"
#include "net/errors.h"
#include "net/http_client.h"
#include "net/socket_layer.h"

namespace {

class ReplayLayer : public net::SocketLayer {
  public:
    ReplayLayer(std::string reply, std::size_t receiveSize)
        : reply_(std::move(reply)), receiveSize_(receiveSize) {}

    int Socket(int, int) override { return 3; }
    int Bind(int, const std::string&, int) override { return 0; }
    int Connect(int, const std::string&, int, net::TimeLimit) override { return 0; }
    long Send(int, const char*, std::size_t count) override { return static_cast<long>(count); }
    long Recv(int, char* data, std::size_t count) override {
        const std::size_t size = std::min({count, receiveSize_, reply_.size() - position_});
        std::memcpy(data, reply_.data() + position_, size);
        position_ += size;
        return static_cast<long>(size);
    }
    int Select(const std::vector<int>&, net::TimeLimit) override { return 1; }
    int Shutdown(int, int) override { return 0; }
    int CloseSocket(int) override { return 0; }
    int GetSockName(int, std::string& ip, int& port) override {
        ip = "127.0.0.1";
        port = 40000;
        return 0;
    }
    int GetPeerName(int, std::string& ip, int& port) override {
        ip = "127.0.0.1";
        port = 8080;
        return 0;
    }
    int SetSocketOption(int, int, int, int) override { return 0; }
    bool ResolveHost(const std::string&, std::string& address, net::TimeLimit) override {
        address = "127.0.0.1";
        return true;
    }
    int LastErrorCode() const override { return 10054; }

  private:
    std::string reply_;
    std::size_t position_ = 0;
    std::size_t receiveSize_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::size_t receiveSize = (data[0] & 0x7F) + 1;
    const bool followRedirects = (data[0] & 0x80) != 0;
    auto layer = std::make_shared<ReplayLayer>(
        std::string(reinterpret_cast<const char*>(data + 1), size - 1), receiveSize);
    net::HttpClient client(layer);
    client.SetHandleRedirects(followRedirects);
    // Two requests: the second reads what the first left on a kept connection.
    for (int request = 0; request < 2; ++request) {
        try {
            net::DiscardingSink body;
            client.DownloadToStream("http://127.0.0.1:8080/arbitrage/index.html", body);
        } catch (const net::NetError&) {
            // Refusing a reply is the expected outcome for most inputs.
        }
    }
    return 0;
}
