#include "net/platform_socket_layer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>

#include "net/socket_error_codes.h"

namespace net {
namespace {

thread_local int lastError = 0;

struct Resolution {
    bool found = false;
    std::string address;
    int code = 0;  // socket error number when not found
};

// The first IPv4 address of the name; touches no state shared with other threads.
Resolution ResolveNow(const std::string& name) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    int result = getaddrinfo(name.c_str(), nullptr, &hints, &found);
    Resolution lookup;
    if (result != 0 || found == nullptr) {
        lookup.code = SocketCodeFromLookupError(result != 0 ? result : EAI_NONAME, errno);
        if (found != nullptr) freeaddrinfo(found);
        return lookup;
    }
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr, text,
              sizeof text);
    freeaddrinfo(found);
    lookup.found = true;
    lookup.address = text;
    return lookup;
}

int FailWith(int code) {
    lastError = code;
    return -1;
}

int FailFromErrno() {
    return FailWith(SocketCodeFromErrno(errno));
}

// Dotted text to an address, read part by part between the dots;
// the port checked to fit 16 bits.
bool MakeAddress(const std::string& ip, int port, sockaddr_in& address) {
    if (port < 0 || port > 65535) return false;
    address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    if (ip.empty()) {
        address.sin_addr.s_addr = htonl(INADDR_ANY);
        return true;
    }
    if (!SocketLayer::IsIPv4Text(ip)) return false;
    std::uint32_t value = 0;
    std::size_t begin = 0;
    for (int part = 0; part < 4; ++part) {
        std::size_t dot = ip.find('.', begin);
        if (part == 3) dot = ip.size();
        value = (value << 8) | static_cast<std::uint32_t>(std::stoi(ip.substr(begin, dot - begin)));
        begin = dot + 1;
    }
    address.sin_addr.s_addr = htonl(value);
    return true;
}

void ReadAddress(const sockaddr_in& address, std::string& ip, int& port) {
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &address.sin_addr, text, sizeof text);
    ip = text;
    port = ntohs(address.sin_port);
}

// poll() that survives signals, with the time already waited taken off the limit.
int PollWithLimit(pollfd* fds, nfds_t count, TimeLimit limit) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    for (;;) {
        int timeout = -1;
        if (limit) {
            auto left = *limit -
                        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
            timeout =
                left.count() > 0 ? static_cast<int>(std::min<long long>(left.count(), 1 << 30)) : 0;
        }
        int result = poll(fds, count, timeout);
        if (result >= 0 || errno != EINTR) return result;
    }
}

}  // namespace

int PlatformSocketLayer::Socket(int type, int protocol) {
    int handle = socket(AF_INET, type == kSocketStream ? SOCK_STREAM : type, protocol);
    if (handle < 0) return FailFromErrno();
    // Never handed to a program started later.
    fcntl(handle, F_SETFD, FD_CLOEXEC);
    return handle;
}

int PlatformSocketLayer::Bind(int socket, const std::string& ip, int port) {
    sockaddr_in address;
    if (!MakeAddress(ip, port, address)) return FailWith(SocketCodeFromErrno(EADDRNOTAVAIL));
    if (bind(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) < 0) {
        return FailFromErrno();
    }
    return 0;
}

int PlatformSocketLayer::Connect(int socket, const std::string& ip, int port, TimeLimit limit) {
    sockaddr_in address;
    if (!MakeAddress(ip, port, address)) return FailWith(SocketCodeFromErrno(EADDRNOTAVAIL));
    // Connect without blocking and wait with poll(): the only way to bound the wait, and
    // immune to signals interrupting a blocking connect.
    int flags = fcntl(socket, F_GETFL);
    if (flags < 0 || fcntl(socket, F_SETFL, flags | O_NONBLOCK) < 0) return FailFromErrno();
    int result = connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    int error = result == 0 ? 0 : errno;
    if (result < 0 && (error == EINPROGRESS || error == EINTR)) {
        pollfd fd{socket, POLLOUT, 0};
        int ready = PollWithLimit(&fd, 1, limit);
        if (ready < 0) {
            error = errno;
        } else if (ready == 0) {
            error = ETIMEDOUT;
        } else {
            socklen_t size = sizeof error;
            if (getsockopt(socket, SOL_SOCKET, SO_ERROR, &error, &size) < 0) error = errno;
        }
    }
    fcntl(socket, F_SETFL, flags);
    if (error != 0) return FailWith(SocketCodeFromErrno(error));
    return 0;
}

long PlatformSocketLayer::Send(int socket, const char* data, std::size_t count) {
    for (;;) {
        ssize_t sent = send(socket, data, count, MSG_NOSIGNAL);
        if (sent >= 0) return static_cast<long>(sent);
        if (errno != EINTR) return FailFromErrno();
    }
}

long PlatformSocketLayer::Recv(int socket, char* data, std::size_t count) {
    for (;;) {
        ssize_t received = recv(socket, data, count, 0);
        if (received >= 0) return static_cast<long>(received);
        if (errno != EINTR) return FailFromErrno();
    }
}

int PlatformSocketLayer::Select(const std::vector<int>& sockets, TimeLimit limit) {
    std::vector<pollfd> fds;
    fds.reserve(sockets.size());
    for (int socket : sockets)
        fds.push_back(pollfd{socket, POLLIN, 0});
    int result = PollWithLimit(fds.data(), fds.size(), limit);
    if (result < 0) return FailFromErrno();
    return result;
}

int PlatformSocketLayer::Shutdown(int socket, int how) {
    if (shutdown(socket, how == kShutdownSend ? SHUT_WR : how) < 0) return FailFromErrno();
    return 0;
}

int PlatformSocketLayer::CloseSocket(int socket) {
    // Not retried on EINTR: the descriptor is released either way on Linux.
    if (close(socket) < 0) return FailFromErrno();
    return 0;
}

int PlatformSocketLayer::GetSockName(int socket, std::string& ip, int& port) {
    sockaddr_in address{};
    socklen_t size = sizeof address;
    if (getsockname(socket, reinterpret_cast<sockaddr*>(&address), &size) < 0) {
        return FailFromErrno();
    }
    ReadAddress(address, ip, port);
    return 0;
}

int PlatformSocketLayer::GetPeerName(int socket, std::string& ip, int& port) {
    sockaddr_in address{};
    socklen_t size = sizeof address;
    if (getpeername(socket, reinterpret_cast<sockaddr*>(&address), &size) < 0) {
        return FailFromErrno();
    }
    ReadAddress(address, ip, port);
    return 0;
}

int PlatformSocketLayer::SetSocketOption(int socket, int level, int option, int value) {
    if (level == kProtocolTcp && option == kTcpNoDelay) {
        level = IPPROTO_TCP;
        option = TCP_NODELAY;
    }
    if (setsockopt(socket, level, option, &value, sizeof value) < 0) return FailFromErrno();
    return 0;
}

bool PlatformSocketLayer::ResolveHost(const std::string& name, std::string& address,
                                      TimeLimit limit) {
    if (!limit) {
        Resolution lookup = ResolveNow(name);
        if (!lookup.found) lastError = lookup.code;
        address = lookup.address;
        return lookup.found;
    }
    // Shared with the lookup thread, which may outlive this call.
    struct Pending {
        std::mutex mutex;
        std::condition_variable done;
        std::optional<Resolution> result;
    };
    auto pending = std::make_shared<Pending>();
    try {
        std::thread([pending, name] {
            Resolution lookup = ResolveNow(name);
            std::lock_guard<std::mutex> lock(pending->mutex);
            pending->result = std::move(lookup);
            pending->done.notify_one();
        }).detach();
    } catch (const std::system_error&) {
        return ResolveHost(name, address, kNoTimeLimit);
    }
    std::unique_lock<std::mutex> lock(pending->mutex);
    if (!pending->done.wait_for(lock, *limit, [&] { return pending->result.has_value(); })) {
        lastError = kWsaTryAgain;
        return false;
    }
    if (!pending->result->found) lastError = pending->result->code;
    address = pending->result->address;
    return pending->result->found;
}

int PlatformSocketLayer::LastErrorCode() const {
    return lastError;
}

}  // namespace net
