// A file path as it appears inside an engine message.
#pragma once

#include <string>

namespace report {

// Paths are native (UTF-8 bytes on Linux) and messages Windows-1252: a UTF-8 path is converted,
// any other is taken as Windows-1252 already.
std::string PathForMessage(const std::string& path);

}  // namespace report
