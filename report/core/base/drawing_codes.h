// Codes of colours, frames, fonts and alignments as templates store them and scripts name them
// (the language's constants): one definition for the object model and the language.
#pragma once

#include <cstdint>

namespace report {

// Colours are 0x00BBGGRR, kSystemColor + n for system colour n, kNoColor for none.
inline constexpr uint32_t kSystemColor = 0x80000000u;
inline constexpr int32_t kNoColor = 0x1FFFFFFF;
inline constexpr int32_t kButtonFaceColor = static_cast<int32_t>(kSystemColor + 15);

// FrameTyp bits: the sides drawn.
namespace frame_side {
inline constexpr uint16_t kNone = 0;
inline constexpr uint16_t kRight = 1;
inline constexpr uint16_t kBottom = 2;
inline constexpr uint16_t kLeft = 4;
inline constexpr uint16_t kTop = 8;
}  // namespace frame_side

enum class FrameStyle : uint16_t { psSolid, psDash, psDot, psDashDot, psDashDotDot, psDouble };
enum class BandAlign : uint8_t { baNone, baLeft, baRight, baCenter, baWidth, baBottom, baTop };

// Font style bits, as stored in templates and in the script property "FONT.STYLE".
namespace font_style {
inline constexpr uint16_t kItalic = 1;
inline constexpr uint16_t kBold = 2;
inline constexpr uint16_t kUnderline = 4;
inline constexpr uint16_t kStrikeOut = 8;
}  // namespace font_style

// Alignment bits: 0-1 horizontal, bit 2 rotated by 90 degrees, bits 3-4 vertical.
namespace text_align {
inline constexpr uint32_t kLeft = 0;
inline constexpr uint32_t kRight = 1;
inline constexpr uint32_t kCenter = 2;
inline constexpr uint32_t kJustify = 3;
inline constexpr uint32_t kHorizontalMask = 3;
inline constexpr uint32_t kRotated = 4;
inline constexpr uint32_t kTop = 0;
inline constexpr uint32_t kMiddle = 8;
inline constexpr uint32_t kBottom = 16;
inline constexpr uint32_t kVerticalMask = 24;
}  // namespace text_align

}  // namespace report
