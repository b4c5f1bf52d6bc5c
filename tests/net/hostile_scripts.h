// Scripts of hostile HTTP servers for the scripted loopback server: replies that never end,
// in every way a reply can fail to end. Each one stops when the client closes, and after
// kHostileScriptCap at the latest, so that a client without bounds fails its test instead
// of hanging it.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

#include "tests/net/scripted_server.h"

namespace net::testing {

inline constexpr std::chrono::seconds kHostileScriptCap{30};

// A status line, then header lines of `lineLength` filler bytes, without end.
ScriptedServer::Script EndlessHeaderLines(std::size_t lineLength);

// A status line that never reaches its line feed.
ScriptedServer::Script EndlessStatusLine();

// A chunked 200 reply whose chunks never stop coming.
ScriptedServer::Script EndlessChunkedBody();

// A complete, valid 200 reply sent one byte every `interval`.
ScriptedServer::Script Drip(std::chrono::milliseconds interval);

// A 200 reply announcing `contentLength` bytes of body, then as many bytes as the client takes.
ScriptedServer::Script HugeContentLength(std::uint64_t contentLength);

// A 200 reply without Content-Length, read until the server closes, which it never does.
ScriptedServer::Script ReplyUntilCloseThatNeverCloses();

}  // namespace net::testing
