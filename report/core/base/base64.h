// Base64 (RFC 4648, with padding) for pictures in the text forms of templates.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace report {

std::string EncodeBase64(std::string_view bytes);
// Nothing when the text is not Base64 (blanks and line breaks are allowed between groups).
std::optional<std::string> DecodeBase64(std::string_view text);

}  // namespace report
