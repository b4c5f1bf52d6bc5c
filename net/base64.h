// Base64 of the MIME standard (RFC 2045 alphabet, "=" padding, no line breaks).
#pragma once

#include <string>
#include <string_view>

namespace net {

std::string EncodeBase64(std::string_view bytes);

}  // namespace net
