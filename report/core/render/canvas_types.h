// The plain values a Canvas works with: fonts, pens, brushes, images.
//
// Units: output pixels of the canvas (screen, image, printer or PDF pixels); colours are
// 0x00BBGGRR, kNoColor (0x1FFFFFFF) meaning none.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace report {

// A font as the canvas selects it. `pixelHeight` is the character height (the em size, without
// internal leading) in output pixels; the design's negative font heights are its negation. It
// is fractional on a scaled device (the layout's whole height times the scale), so that advances,
// which are linear in it, give painted lines the laid-out widths.
struct CanvasFont {
    std::string name = "Arial";  // Windows family name as templates store it
    double pixelHeight = 13;
    uint16_t style = 0;  // font_style bits: 1 italic, 2 bold, 4 underline, 8 strike-out
    int32_t color = 0;
    bool rotated = false;  // 90 degrees counter-clockwise: text reads upward
    friend bool operator==(const CanvasFont&, const CanvasFont&) = default;
};

// The pen styles of the frame (FrameStyle 0-4) plus the empty pen.
enum class PenStyle : uint8_t { Solid, Dash, Dot, DashDot, DashDotDot, Clear };

struct Pen {
    int32_t color = 0;
    int32_t width = 1;  // output pixels
    PenStyle style = PenStyle::Solid;
    friend bool operator==(const Pen&, const Pen&) = default;
};

enum class BrushStyle : uint8_t { Solid, Clear };

struct Brush {
    int32_t color = 0xFFFFFF;
    BrushStyle style = BrushStyle::Solid;
    friend bool operator==(const Brush&, const Brush&) = default;
};

// Transparent leaves the ground between dashes and behind text as it is; opaque paints it in
// the brush colour.
enum class BackgroundMode : uint8_t { Transparent, Opaque };

// A decoded picture: width x height pixels, rows top to bottom, 0xAARRGGBB each.
struct DecodedImage {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint32_t> pixels;
    bool IsEmpty() const { return width <= 0 || height <= 0; }
};

// The extent of a block of text lines, output pixels.
struct TextExtent {
    int32_t width = 0;
    int32_t height = 0;
    friend bool operator==(const TextExtent&, const TextExtent&) = default;
};

}  // namespace report
