// Reading HTTP replies: header parsing and bodies (counted, chunked), over an in-memory
// socket stack so that only the client's own work is measured.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "net/byte_sink.h"
#include "net/http_client.h"
#include "net/replay_socket_layer.h"

namespace {

// Each iteration is one request on a fresh connection ("Connection: close" in every reply).
void RunReplies(benchmark::State& state, const std::string& reply, std::size_t bodySize) {
    auto layer = std::make_shared<net::ReplaySocketLayer>(
        reply, 32 * 1024, net::ReplaySocketLayer::Stream::kRestartEachConnection);
    net::HttpClient client(layer);
    for (auto _ : state) {
        net::DiscardingSink body;
        client.DownloadToStream("http://127.0.0.1:8080/arbitrage/index.html", body);
        benchmark::DoNotOptimize(body.BytesWritten());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bodySize));
}

void BM_ReplyWith30HeaderLines(benchmark::State& state) {
    std::string reply = "HTTP/1.1 200 OK\r\nConnection: close\r\nContent-Length: 2\r\n";
    reply +=
        "Date: Sun, 06 Nov 1994 08:49:37 GMT\r\nContent-Type: text/html;\r\n charset=utf-8\r\n";
    for (int i = 0; i < 25; ++i)
        reply += "X-Header-" + std::to_string(i) + ": some value\r\n";
    reply += "\r\nok";
    RunReplies(state, reply, 2);
}
BENCHMARK(BM_ReplyWith30HeaderLines);

void BM_CountedBody1MiB(benchmark::State& state) {
    const std::size_t size = 1 << 20;
    RunReplies(state,
               "HTTP/1.1 200 OK\r\nConnection: close\r\nContent-Length: " + std::to_string(size) +
                   "\r\n\r\n" + std::string(size, 'x'),
               size);
}
BENCHMARK(BM_CountedBody1MiB);

void BM_ChunkedBody1MiBIn4KiBChunks(benchmark::State& state) {
    const std::size_t chunk = 4096;
    const std::size_t size = 1 << 20;
    std::string reply =
        "HTTP/1.1 200 OK\r\nConnection: close\r\nTransfer-Encoding: chunked\r\n\r\n";
    for (std::size_t sent = 0; sent < size; sent += chunk) {
        reply += "1000\r\n" + std::string(chunk, 'y') + "\r\n";
    }
    reply += "0\r\n\r\n";
    RunReplies(state, reply, size);
}
BENCHMARK(BM_ChunkedBody1MiBIn4KiBChunks);

}  // namespace
