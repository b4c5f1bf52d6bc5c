#include "tests/net/hostile_scripts.h"

#include <functional>

namespace net::testing {
namespace {

using Clock = std::chrono::steady_clock;

// Sends `head`, then what `next` makes, again and again, waiting `pause` between sends, until
// the client closes or the cap has passed.
void SendUntilClientCloses(ServerConnection& connection, const std::string& head,
                           const std::function<std::string()>& next,
                           std::chrono::milliseconds pause) {
    if (connection.ReadRequest().empty()) return;
    connection.Send(head);
    const Clock::time_point end = Clock::now() + kHostileScriptCap;
    while (Clock::now() < end) {
        connection.Send(next());
        if (connection.WaitForClientClose(pause)) return;
    }
}

}  // namespace

ScriptedServer::Script EndlessHeaderLines(std::size_t lineLength) {
    return [lineLength](ServerConnection& connection) {
        std::size_t number = 0;
        SendUntilClientCloses(
            connection, "HTTP/1.1 200 OK\r\n",
            [&] {
                return "X-Remplissage-" + std::to_string(number++) + ": " +
                       std::string(lineLength, 'a') + "\r\n";
            },
            std::chrono::milliseconds(0));
    };
}

ScriptedServer::Script EndlessStatusLine() {
    return [](ServerConnection& connection) {
        SendUntilClientCloses(
            connection, "HTTP/1.1 200 ", [] { return std::string(4096, 'O'); },
            std::chrono::milliseconds(0));
    };
}

ScriptedServer::Script EndlessChunkedBody() {
    return [](ServerConnection& connection) {
        SendUntilClientCloses(
            connection, "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n",
            [] { return "1000\r\n" + std::string(0x1000, 'c') + "\r\n"; },
            std::chrono::milliseconds(0));
    };
}

ScriptedServer::Script Drip(std::chrono::milliseconds interval) {
    return [interval](ServerConnection& connection) {
        const std::string reply = "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok";
        std::size_t next = 0;
        SendUntilClientCloses(
            connection, "",
            [&]() -> std::string {
                if (next >= reply.size()) return {};
                return std::string(1, reply[next++]);
            },
            interval);
    };
}

ScriptedServer::Script HugeContentLength(std::uint64_t contentLength) {
    return [contentLength](ServerConnection& connection) {
        SendUntilClientCloses(
            connection,
            "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(contentLength) + "\r\n\r\n",
            [] { return std::string(65536, 'b'); }, std::chrono::milliseconds(0));
    };
}

ScriptedServer::Script ReplyUntilCloseThatNeverCloses() {
    return [](ServerConnection& connection) {
        SendUntilClientCloses(
            connection, "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n\r\n",
            [] { return std::string(65536, 'h'); }, std::chrono::milliseconds(0));
    };
}

}  // namespace net::testing
