// The drawing surface every report object paints on: the preview screen, an image, the printer,
// a PDF file, or a recording for tests and search.
//
// Units: output pixels of the surface. Text is Windows-1252 bytes. Rectangles are
// (left, top, right, bottom) with right and bottom excluded, as fills and clips cover them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "report/core/model/view.h"
#include "report/core/render/canvas_types.h"
#include "report/core/render/char_advances.h"

namespace report {

// One line of text to draw. Unrotated, (x, y) is the top-left corner of the line's cell;
// rotated, the text reads upward from (x, y), the cell lying to the right of x and above y.
struct TextOutput {
    int32_t x = 0;
    int32_t y = 0;
    std::string text;
    IntRect clip;
    // Extra pixels spread over the spaces of this line only (justification); 0 for none.
    int32_t justifyExtra = 0;
};

class Canvas {
  public:
    virtual ~Canvas() = default;

    // ---- text ----
    virtual void SetFont(const CanvasFont& font) = 0;
    const CanvasFont& Font() const { return font_; }
    // Extra pixels after every character of every text drawn or measured from now on.
    void SetCharacterSpacing(int32_t pixels) { characterSpacing_ = pixels; }
    int32_t CharacterSpacing() const { return characterSpacing_; }
    // Advances of the selected font; stays valid until the next SetFont.
    virtual const CharAdvances& Advances() = 0;
    // Width of one line of text in the selected font, with the character spacing.
    int32_t TextWidth(std::string_view text);
    // Width of the widest line and height of all lines of a text broken at CR LF, CR or LF.
    TextExtent MultiLineExtent(std::string_view text);
    virtual void DrawText(const TextOutput& output) = 0;

    // ---- pens, brushes, shapes ----
    virtual void SetPen(const Pen& pen) = 0;
    virtual void SetBrush(const Brush& brush) = 0;
    virtual void SetBackgroundMode(BackgroundMode mode) = 0;
    const Pen& CurrentPen() const { return pen_; }
    const Brush& CurrentBrush() const { return brush_; }
    BackgroundMode CurrentBackgroundMode() const { return backgroundMode_; }
    // A line from (x1, y1) up to, not including, (x2, y2), in the pen.
    virtual void DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2) = 0;
    // Fills the rectangle with the brush, without its right and bottom edges.
    virtual void FillRect(const IntRect& rect) = 0;
    // Outlines the rectangle with the pen and fills its inside with the brush.
    virtual void DrawRectangle(const IntRect& rect) = 0;
    // Copies the whole image stretched into `target`.
    virtual void DrawImage(const IntRect& target, const DecodedImage& image) = 0;

    // Vertical resolution, dots per inch: printer-canvas fonts keep their point size with it.
    virtual int32_t DpiY() const { return 96; }

    // ---- clipping region ----
    // The part of the surface being painted now, as rectangles (the preview's repaint region);
    // none: the whole surface. Page drawing skips objects that lie wholly outside it.
    void SetClipRegion(std::optional<std::vector<IntRect>> region) { clip_ = std::move(region); }
    // Whether some part of `rect` lies in the clipping region; an empty rectangle never does.
    bool IntersectsClip(const IntRect& rect) const;

  protected:
    CanvasFont font_;
    Pen pen_;
    Brush brush_;
    BackgroundMode backgroundMode_ = BackgroundMode::Opaque;

  private:
    int32_t characterSpacing_ = 0;
    std::optional<std::vector<IntRect>> clip_;
};

}  // namespace report
