// The socket stack: the platform's socket functions behind one interface, with their failures
// turned into exceptions. Only IPv4 and TCP are used; addresses are dotted texts ("127.0.0.1").
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "net/time_limit.h"

namespace net {

inline constexpr int kSocketStream = 1;  // SOCK_STREAM
inline constexpr int kProtocolTcp = 6;   // IPPROTO_TCP
inline constexpr int kShutdownSend = 1;  // the sending direction
inline constexpr int kTcpNoDelay = 1;    // option TCP_NODELAY at level kProtocolTcp

class SocketLayer {
  public:
    // Most sockets one wait may watch.
    static constexpr std::size_t kMaxSelectSet = 64;

    virtual ~SocketLayer() = default;

    // --- Platform binding. Failures return -1 (false for ResolveHost) and leave their socket
    // error number (Windows Sockets numbering) for LastErrorCode().

    virtual int Socket(int type, int protocol) = 0;
    // Empty IP: any address; port 0: any port.
    virtual int Bind(int socket, const std::string& ip, int port) = 0;
    // An expired limit fails with 10060.
    virtual int Connect(int socket, const std::string& ip, int port, TimeLimit limit) = 0;
    virtual long Send(int socket, const char* data, std::size_t count) = 0;
    // 0 when the peer closed its sending side.
    virtual long Recv(int socket, char* data, std::size_t count) = 0;
    // Number of the given sockets that are readable (or closed, or in error) within the limit.
    virtual int Select(const std::vector<int>& sockets, TimeLimit limit) = 0;
    virtual int Shutdown(int socket, int how) = 0;
    virtual int CloseSocket(int socket) = 0;
    virtual int GetSockName(int socket, std::string& ip, int& port) = 0;
    virtual int GetPeerName(int socket, std::string& ip, int& port) = 0;
    virtual int SetSocketOption(int socket, int level, int option, int value) = 0;
    // The first IPv4 address of a host name, within the limit (an expired limit fails
    // with 11002).
    virtual bool ResolveHost(const std::string& name, std::string& address, TimeLimit limit) = 0;
    virtual int LastErrorCode() const = 0;

    // --- Common operations.

    // An IPv4 socket; raises InvalidSocket when none can be made.
    int CreateSocket(int type, int protocol);

    // "LOCALHOST" in any case gives "127.0.0.1" and an IPv4 text is returned as it is, both
    // without asking the platform; otherwise the first address of the name, asked within the
    // limit. Raises the stack error of the lookup failure.
    std::string LookupHost(const std::string& name, TimeLimit limit = kNoTimeLimit);

    // True when the text splits at "." into four decimal integers from 0 to 255.
    static bool IsIPv4Text(std::string_view text);

    // A result other than -1 is success (false). For -1 the last error code is fetched: true
    // when it is one of the tolerated codes, else its stack error is raised.
    bool CheckSocketResult(long result, std::initializer_list<int> tolerated = {});

    // Raises SocketError with the code and its text.
    [[noreturn]] static void RaiseStackError(int code);

    // Waits until one of the sockets is readable; false when the limit passed. More than
    // kMaxSelectSet sockets raise StackSetSizeExceeded.
    bool WaitReadable(const std::vector<int>& sockets, TimeLimit limit);
};

}  // namespace net
