// Advance widths of the 256 Windows-1252 characters in one font, the basis of every text width
// a canvas reports. Kept per font so that layout never asks the font engine twice.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace report {

inline constexpr unsigned char kTab = '\t';

// Bytes that show no glyph: the control codes and the five bytes Windows-1252 leaves
// undefined. A tab takes a blank's room; the others take none.
constexpr bool ShowsNoGlyph(unsigned char c) {
    return c < 32 || c == 127 || c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
}

struct CharAdvances {
    std::array<double, 256> advance{};  // output pixels, fractional for scalable fonts
    int32_t lineHeight = 0;             // pixels from one line's top to the next (no extra)

    double Of(char c) const { return advance[static_cast<unsigned char>(c)]; }
    // Sum of the advances of `text`, without character spacing.
    double Sum(std::string_view text) const {
        double sum = 0;
        for (char c : text)
            sum += Of(c);
        return sum;
    }
};

}  // namespace report
