// Feeds arbitrary reply bytes to the HTTP client through an in-memory socket stack: whatever
// the server sends, the client must end with a NetError or a result, never crash, hang or
// allocate beyond what it received.
//
// Input: the first byte sets the size of each receive (1 to 256 bytes, to split lines and
// chunks everywhere) and whether redirects are followed; the rest is everything the server
// sends, over as many connections as the client opens.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "net/byte_sink.h"
#include "net/errors.h"
#include "net/http_client.h"
#include "net/replay_socket_layer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::size_t receiveSize = (data[0] & 0x7F) + 1;
    const bool followRedirects = (data[0] & 0x80) != 0;
    auto layer = std::make_shared<net::ReplaySocketLayer>(
        std::string(reinterpret_cast<const char*>(data + 1), size - 1), receiveSize,
        net::ReplaySocketLayer::Stream::kContinueAcrossConnections);
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
