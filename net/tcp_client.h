// A TCP connection that resolves a host name and connects to it.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "net/tcp_connection.h"
#include "net/time_limit.h"

namespace net {

enum class SocksVersion { svNoSocks, svSocks4, svSocks4A, svSocks5 };

// SOCKS settings of a client. Only svNoSocks is supported: any other version makes
// OpenConnection raise SocksNotSupported.
struct SocksInfo {
    SocksVersion version = SocksVersion::svNoSocks;
    std::string host;
    int port = 1080;
    std::string username;
    std::string password;
};

class TcpClient : public TcpConnection {
  public:
    explicit TcpClient(std::shared_ptr<SocketLayer> stack = SharedSocketStack());

    // Host name or IPv4 text; "LOCALHOST" in any case is 127.0.0.1 without a lookup.
    const std::string& Host() const { return host_; }
    void SetHost(const std::string& host) { host_ = host; }
    int Port() const { return port_; }
    void SetPort(int port) { port_ = port; }
    // Local address to bind to; empty: any.
    const std::string& BoundIp() const { return boundIp_; }
    void SetBoundIp(const std::string& ip) { boundIp_ = ip; }
    // False sets TCP_NODELAY on the socket.
    bool UseNagle() const { return useNagle_; }
    void SetUseNagle(bool useNagle) { useNagle_ = useNagle; }
    SocksInfo& Socks() { return socks_; }

    // Limit of the wait for the connection; none by default (the platform's own applies).
    // An expired wait raises SocketError 10060.
    TimeLimit ConnectTimeout() const { return connectTimeout_; }
    void SetConnectTimeout(TimeLimit limit) { connectTimeout_ = limit; }

    // Connects to Host and Port. A connection already open raises AlreadyConnected; after any
    // failure of binding, lookup or connecting the socket is closed again and the error goes on
    // unchanged (SocketError 10061 for a refused connection ...).
    void OpenConnection();

    std::function<void()> onConnected;

  private:
    std::string host_;
    int port_ = 0;
    std::string boundIp_;
    bool useNagle_ = true;
    SocksInfo socks_;
    TimeLimit connectTimeout_;
};

}  // namespace net
