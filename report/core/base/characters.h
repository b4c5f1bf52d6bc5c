// Classes of single characters, as the engine's readers of text see them (Windows-1252 bytes).
#pragma once

namespace report {

// '0' to '9' only: the engine's texts never hold other digits.
constexpr bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Codes up to 32: blanks, tabs, line breaks and the other control characters, which every
// reader skips or trims alike.
constexpr bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

}  // namespace report
