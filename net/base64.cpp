#include "net/base64.h"

namespace net {

std::string EncodeBase64(std::string_view bytes) {
    static constexpr char kAlphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string encoded;
    encoded.reserve((bytes.size() + 2) / 3 * 4);
    std::size_t i = 0;
    for (; i + 3 <= bytes.size(); i += 3) {
        const unsigned value = (static_cast<unsigned char>(bytes[i]) << 16) |
                               (static_cast<unsigned char>(bytes[i + 1]) << 8) |
                               static_cast<unsigned char>(bytes[i + 2]);
        encoded += kAlphabet[(value >> 18) & 63];
        encoded += kAlphabet[(value >> 12) & 63];
        encoded += kAlphabet[(value >> 6) & 63];
        encoded += kAlphabet[value & 63];
    }
    const std::size_t left = bytes.size() - i;
    if (left > 0) {
        unsigned value = static_cast<unsigned char>(bytes[i]) << 16;
        if (left == 2) value |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        encoded += kAlphabet[(value >> 18) & 63];
        encoded += kAlphabet[(value >> 12) & 63];
        encoded += left == 2 ? kAlphabet[(value >> 6) & 63] : '=';
        encoded += '=';
    }
    return encoded;
}

}  // namespace net
