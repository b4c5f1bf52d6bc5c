// Optional filter of the bytes a connection sends and receives (logging, encryption). The
// program uses none; an https URL needs an SSL intercept.
#pragma once

#include <string>

namespace net {

class ConnectionIntercept {
  public:
    virtual ~ConnectionIntercept() = default;

    // True for an intercept that carries TLS, the only kind an https request accepts.
    virtual bool IsSsl() const { return false; }

    // Called once the connection is open and the intercept switched on (for a handshake).
    virtual void Connected() {}

    // Bytes about to be sent; may replace them.
    virtual void Sending(std::string& bytes) { (void)bytes; }

    // Bytes just received, before they join the input buffer; may replace them.
    virtual void Received(std::string& bytes) { (void)bytes; }
};

class SslConnectionIntercept : public ConnectionIntercept {
  public:
    bool IsSsl() const override { return true; }
};

}  // namespace net
