#include "tests/net/scripted_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

namespace net::testing {
namespace {

using Clock = std::chrono::steady_clock;

int MillisecondsLeft(Clock::time_point deadline) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

// Waits for readability; false when the deadline passed.
bool WaitReadable(int socket, Clock::time_point deadline) {
    for (;;) {
        pollfd fd{socket, POLLIN, 0};
        int result = poll(&fd, 1, MillisecondsLeft(deadline));
        if (result > 0) return true;
        if (result == 0) return false;
        if (errno != EINTR) return false;
    }
}

int ListenOnLoopback(int& port) {
    int listener = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listener < 0) throw std::runtime_error("socket() failed");
    int yes = 1;
    setsockopt(listener, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    if (bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) < 0 ||
        listen(listener, 16) < 0) {
        close(listener);
        throw std::runtime_error("bind()/listen() failed");
    }
    socklen_t size = sizeof address;
    getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size);
    port = ntohs(address.sin_port);
    return listener;
}

}  // namespace

ServerConnection::~ServerConnection() {
    Close();
}

bool ServerConnection::Fill(Clock::time_point deadline) {
    if (socket_ < 0 || !WaitReadable(socket_, deadline)) return false;
    char buffer[16384];
    ssize_t received = recv(socket_, buffer, sizeof buffer, 0);
    if (received <= 0) return false;
    pending_.append(buffer, static_cast<std::size_t>(received));
    return true;
}

std::string ServerConnection::ReadRequest(std::chrono::milliseconds limit) {
    const Clock::time_point deadline = Clock::now() + limit;
    for (;;) {
        std::size_t end = std::string::npos;
        std::size_t crlf = pending_.find("\r\n\r\n");
        std::size_t lf = pending_.find("\n\n");
        if (crlf != std::string::npos) end = crlf + 4;
        if (lf != std::string::npos && (end == std::string::npos || lf + 2 < end)) end = lf + 2;
        if (end != std::string::npos) {
            std::string request = pending_.substr(0, end);
            pending_.erase(0, end);
            server_.Record(request);
            return request;
        }
        if (!Fill(deadline)) return {};
    }
}

std::string ServerConnection::ReadBytes(std::size_t count, std::chrono::milliseconds limit) {
    const Clock::time_point deadline = Clock::now() + limit;
    while (pending_.size() < count && Fill(deadline)) {
    }
    std::string bytes = pending_.substr(0, count);
    pending_.erase(0, bytes.size());
    return bytes;
}

void ServerConnection::Send(std::string_view bytes) {
    while (socket_ >= 0 && !bytes.empty()) {
        ssize_t sent = send(socket_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent < 0) {
            if (errno == EINTR) continue;
            return;
        }
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
}

void ServerConnection::Close() {
    if (socket_ < 0) return;
    shutdown(socket_, SHUT_WR);
    close(socket_);
    socket_ = -1;
}

bool ServerConnection::WaitForClientClose(std::chrono::milliseconds limit) {
    const Clock::time_point deadline = Clock::now() + limit;
    for (;;) {
        if (socket_ < 0 || !WaitReadable(socket_, deadline)) return false;
        char buffer[4096];
        ssize_t received = recv(socket_, buffer, sizeof buffer, 0);
        if (received <= 0) return true;
    }
}

ScriptedServer::ScriptedServer(std::vector<Script> scripts) : scripts_(std::move(scripts)) {
    listener_ = ListenOnLoopback(port_);
    thread_ = std::thread([this] { Run(); });
}

ScriptedServer::~ScriptedServer() {
    stopping_ = true;
    thread_.join();
    close(listener_);
}

std::string ScriptedServer::Url(std::string_view path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + std::string(path);
}

std::vector<std::string> ScriptedServer::Requests() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
}

bool ScriptedServer::WaitForScripts(int count, std::chrono::milliseconds limit) const {
    const Clock::time_point deadline = Clock::now() + limit;
    while (finished_.load() < count) {
        if (Clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

void ScriptedServer::Record(const std::string& request) {
    std::lock_guard<std::mutex> lock(mutex_);
    requests_.push_back(request);
}

void ScriptedServer::Run() {
    std::size_t next = 0;
    while (!stopping_) {
        pollfd fd{listener_, POLLIN, 0};
        if (poll(&fd, 1, 20) <= 0) continue;
        int socket = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (socket < 0) continue;
        ++accepted_;
        {
            ServerConnection connection(socket, *this);
            if (!scripts_.empty()) {
                scripts_[std::min(next, scripts_.size() - 1)](connection);
            }
        }
        ++next;
        ++finished_;
    }
}

int UnusedLoopbackPort() {
    int port = 0;
    int listener = ListenOnLoopback(port);
    close(listener);
    return port;
}

}  // namespace net::testing
