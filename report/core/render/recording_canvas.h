// A canvas that keeps every operation in order, with its text and bounds, instead of painting.
// The preview's search reads the text outputs; golden tests compare the whole list.
#pragma once

#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "report/core/render/advance_cache.h"
#include "report/core/render/canvas.h"

namespace report {

namespace recorded {
struct SetFont {
    CanvasFont font;
};
struct SetPen {
    Pen pen;
};
struct SetBrush {
    Brush brush;
};
struct SetBackground {
    BackgroundMode mode;
};
struct Text {
    TextOutput output;
    CanvasFont font;
    int32_t characterSpacing = 0;
    IntRect bounds;  // the cell the text covers before clipping
};
struct Line {
    int32_t x1, y1, x2, y2;
    Pen pen;
};
struct Fill {
    IntRect rect;
    Brush brush;
};
struct Rectangle {
    IntRect rect;
    Pen pen;
    Brush brush;
};
struct Image {
    IntRect target;
    int32_t width, height;  // of the image, its own pixels
};
}  // namespace recorded

using RecordedOperation = std::variant<recorded::SetFont, recorded::SetPen, recorded::SetBrush,
                                       recorded::SetBackground, recorded::Text, recorded::Line,
                                       recorded::Fill, recorded::Rectangle, recorded::Image>;

class RecordingCanvas : public Canvas {
  public:
    // Measures with the fixed-advance model (half the pixel height per character).
    RecordingCanvas();
    // Measures with `metrics`, which must outlive the canvas.
    explicit RecordingCanvas(const FontMetricsSource& metrics);

    void SetFont(const CanvasFont& font) override;
    const CharAdvances& Advances() override;
    void DrawText(const TextOutput& output) override;
    void SetPen(const Pen& pen) override;
    void SetBrush(const Brush& brush) override;
    void SetBackgroundMode(BackgroundMode mode) override;
    void DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2) override;
    void FillRect(const IntRect& rect) override;
    void DrawRectangle(const IntRect& rect) override;
    void DrawImage(const IntRect& target, const DecodedImage& image) override;

    const std::vector<RecordedOperation>& Operations() const { return operations_; }
    void Clear() { operations_.clear(); }
    // Only the painting operations (text, lines, fills, rectangles, images), one per line in a
    // stable text form: what golden tests compare.
    std::vector<std::string> Drawings() const;
    // The texts drawn, in order.
    std::vector<std::string> Texts() const;

  private:
    std::unique_ptr<FontMetricsSource> ownMetrics_;
    AdvanceCache advances_;
    const CharAdvances* current_ = nullptr;
    std::vector<RecordedOperation> operations_;
};

// The stable text form of one painting operation; empty for state changes.
std::string Describe(const RecordedOperation& operation);

}  // namespace report
