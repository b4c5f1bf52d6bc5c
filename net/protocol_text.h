// Helpers for the ASCII texts of the protocol (header names, keywords, numbers).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace net {

char UpperAscii(char c);

// Comparison that ignores the case of ASCII letters only.
bool SameAscii(std::string_view a, std::string_view b);

// Without leading and trailing spaces and tabs.
std::string_view TrimBlanks(std::string_view text);
std::string_view TrimLeadingBlanks(std::string_view text);

// A decimal integer with an optional sign and nothing else around it.
std::optional<std::int64_t> ReadDecimal(std::string_view text);

}  // namespace net
