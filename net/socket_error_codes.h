// Socket error numbers and their French texts.
//
// Errors keep the Windows Sockets numbers (10061 for a refused connection ...) on every
// platform, so that the messages read the same everywhere; POSIX errno values and name lookup
// failures are mapped onto them.
#pragma once

#include <string>

namespace net {

inline constexpr int kWsaInterrupted = 10004;   // EINTR
inline constexpr int kWsaAddressInUse = 10048;  // EADDRINUSE
inline constexpr int kWsaShutdown = 10058;      // sending or receiving after shutdown
inline constexpr int kWsaTimedOut = 10060;      // ETIMEDOUT, and an expired connect time limit
inline constexpr int kWsaConnRefused = 10061;   // ECONNREFUSED
inline constexpr int kWsaHostNotFound = 11001;  // name lookup: no such host
inline constexpr int kWsaTryAgain = 11002;      // name lookup: temporary failure
inline constexpr int kWsaNoRecovery = 11003;    // name lookup: permanent failure
inline constexpr int kWsaNoData = 11004;        // name lookup: no IPv4 address

// The French text of a socket error number, or the empty text for a number not in the table.
std::string SocketErrorText(int code);

// The socket error number of a POSIX errno value; values without a counterpart stay as they are.
int SocketCodeFromErrno(int errnoValue);

// The socket error number of a getaddrinfo() failure (EAI_xxx), errno being consulted for
// EAI_SYSTEM.
int SocketCodeFromLookupError(int eaiValue, int errnoValue);

}  // namespace net
