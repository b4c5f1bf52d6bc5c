// A loopback TCP server for tests that answers with exact bytes.
//
// It listens on 127.0.0.1 on a free port and runs, on its own thread, one script per accepted
// connection (the scripts in turn, the last one repeating). Connections are served one after
// the other. Every wait of the server is bounded, so a client that misbehaves cannot hang it.
#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace net::testing {

class ScriptedServer;

// One accepted connection, as the script sees it.
class ServerConnection {
  public:
    ServerConnection(int socket, ScriptedServer& server) : socket_(socket), server_(server) {}
    ~ServerConnection();
    ServerConnection(const ServerConnection&) = delete;
    ServerConnection& operator=(const ServerConnection&) = delete;

    // The next request head, up to and including its empty line (CR LF CR LF or LF LF); it is
    // also recorded in the server's list. Empty when the client closed or nothing came within
    // the limit.
    std::string ReadRequest(std::chrono::milliseconds limit = std::chrono::seconds(5));

    // Exactly `count` more bytes (a request body), or fewer when the client stopped sending.
    std::string ReadBytes(std::size_t count,
                          std::chrono::milliseconds limit = std::chrono::seconds(5));

    void Send(std::string_view bytes);

    // Ends the connection now (the script may go on without it).
    void Close();

    // True when the client closed its side within the limit (bytes it sends are dropped).
    bool WaitForClientClose(std::chrono::milliseconds limit = std::chrono::seconds(5));

  private:
    // Reads what is available within the limit into pending_; false on close or timeout.
    bool Fill(std::chrono::steady_clock::time_point deadline);

    int socket_;
    ScriptedServer& server_;
    std::string pending_;
};

class ScriptedServer {
  public:
    using Script = std::function<void(ServerConnection&)>;

    explicit ScriptedServer(std::vector<Script> scripts);
    explicit ScriptedServer(Script script)
        : ScriptedServer(std::vector<Script>{std::move(script)}) {}
    ~ScriptedServer();
    ScriptedServer(const ScriptedServer&) = delete;
    ScriptedServer& operator=(const ScriptedServer&) = delete;

    int Port() const { return port_; }
    // "http://127.0.0.1:<port>" followed by the path.
    std::string Url(std::string_view path) const;

    int ConnectionsAccepted() const { return accepted_.load(); }
    std::vector<std::string> Requests() const;

    // Waits until `count` scripts have ended (at most the limit); true when they have.
    bool WaitForScripts(int count, std::chrono::milliseconds limit = std::chrono::seconds(5)) const;

  private:
    friend class ServerConnection;
    void Run();
    void Record(const std::string& request);

    int listener_ = -1;
    int port_ = 0;
    std::vector<Script> scripts_;
    std::atomic<bool> stopping_{false};
    std::atomic<int> accepted_{0};
    std::atomic<int> finished_{0};
    mutable std::mutex mutex_;
    std::vector<std::string> requests_;
    std::thread thread_;
};

// A port of 127.0.0.1 on which nothing listens (it was free a moment ago).
int UnusedLoopbackPort();

}  // namespace net::testing
