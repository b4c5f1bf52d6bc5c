// Exceptions of the HTTP client and its TCP layer. Every message is French, in Windows-1252.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace net {

// Base of every error of the network layer; what() is Windows-1252 text.
class NetError : public std::runtime_error {
  public:
    explicit NetError(const std::string& message) : std::runtime_error(message) {}
};

// An error that is part of normal operation (the peer closing), not a fault.
class SilentNetError : public NetError {
  public:
    using NetError::NetError;
};

// "La connexion s'est terminée proprement.": reading or writing on a connection the peer closed.
class ConnClosedGracefully : public SilentNetError {
  public:
    ConnClosedGracefully();
};

// A socket call failed. The code is a Windows Sockets error number (POSIX errno values are
// mapped onto them); the message is "Erreur de socket # <code>\r\n<text of the code>".
class SocketError : public NetError {
  public:
    explicit SocketError(int code);
    int Code() const { return code_; }

  private:
    int code_;
};

// "Déjà connecté.": OpenConnection on a connection that is open.
class AlreadyConnected : public NetError {
  public:
    AlreadyConnected();
};

// "Impossible d'allouer le socket.": no socket could be created.
class InvalidSocket : public NetError {
  public:
    InvalidSocket();
};

class SocketHandleError : public NetError {
  public:
    using NetError::NetError;
};

// The local address and port are in use.
class CouldNotBindSocket : public SocketHandleError {
  public:
    CouldNotBindSocket();
};

// "%s n'a pas pu être chargé.": a socket library loaded at run time is missing. The POSIX
// binding has nothing to load; kept for bindings that do.
class CannotLoadSocketLibrary : public NetError {
  public:
    explicit CannotLoadSocketLibrary(const std::string& library);
};

class StackError : public NetError {
  public:
    using NetError::NetError;
};

// "Erreur d'initialisation Winsock.": a socket library that refuses to start.
class StackInitializationFailed : public StackError {
  public:
    StackInitializationFailed();
};

// "Taille d'ensemble dépassée.": more than 64 sockets in one wait.
class StackSetSizeExceeded : public StackError {
  public:
    StackSetSizeExceeded();
};

class TcpConnectionError : public NetError {
  public:
    using NetError::NetError;
};

// Taking more bytes than the input buffer holds.
class NotEnoughDataInBuffer : public TcpConnectionError {
  public:
    NotEnoughDataInBuffer();
};

// A read waited longer than the connection's read time limit (or past its deadline).
class ReadTimedOut : public TcpConnectionError {
  public:
    ReadTimedOut();
};

// A line longer than the limit the reader set (bytes, terminator excluded).
class LineTooLong : public TcpConnectionError {
  public:
    explicit LineTooLong(std::size_t limit);
};

// "Version de SOCKS non prise en charge.": a client asked to go through a SOCKS server.
class SocksNotSupported : public NetError {
  public:
    SocksNotSupported();
};

// An HTTP reply whose status is not a success (and not a redirect that was handled); carries
// the status code; the message is the status line without its first word ("404 Not Found").
class ProtocolReplyError : public NetError {
  public:
    ProtocolReplyError(int code, const std::string& statusText);
    int Code() const { return code_; }

  private:
    int code_;
};

// A reply the client refuses to read further: more header lines than allowed, a negative
// Content-Length, a chunk size that does not read as a hexadecimal number.
class BadReplyError : public NetError {
  public:
    using NetError::NetError;
    static BadReplyError TooManyHeaderLines(std::size_t limit);
    static BadReplyError TooManyHeaderBytes(std::size_t limit);
    static BadReplyError BodyTooLarge(std::uint64_t limit);
    static BadReplyError NegativeContentLength(const std::string& value);
    static BadReplyError BadChunkSize(const std::string& line);
};

// "La valeur d'interception est incorrecte": an https URL without an SSL intercept.
class InterceptPropInvalid : public NetError {
  public:
    InterceptPropInvalid();
};

// "Type d'objet non supporté.": a request body of a kind the client cannot send.
class ObjectTypeNotSupported : public NetError {
  public:
    ObjectTypeNotSupported();
};

// The local time zone could not be read while converting a date.
class TimeZoneInfoError : public NetError {
  public:
    TimeZoneInfoError();
};

// "'%s' n'est pas une valeur entière correcte": a reply field that must be an integer.
class ConvertError : public NetError {
  public:
    using NetError::NetError;
    static ConvertError NotInteger(const std::string& text);
};

}  // namespace net
