// The shared canvas that text is laid out and measured on: it takes its advances from a
// metrics source and paints nothing, so it can serve a whole build without growing.
#pragma once

#include <memory>

#include "report/core/render/advance_cache.h"
#include "report/core/render/canvas.h"

namespace report {

class MeasuringCanvas : public Canvas {
  public:
    // Measures with the fixed-advance model (half the pixel height per character).
    MeasuringCanvas();
    // Measures with `metrics`, which must outlive the canvas.
    explicit MeasuringCanvas(const FontMetricsSource& metrics);

    void SetFont(const CanvasFont& font) override;
    const CharAdvances& Advances() override;
    void DrawText(const TextOutput&) override {}
    void SetPen(const Pen& pen) override { pen_ = pen; }
    void SetBrush(const Brush& brush) override { brush_ = brush; }
    void SetBackgroundMode(BackgroundMode mode) override { backgroundMode_ = mode; }
    void DrawLine(int32_t, int32_t, int32_t, int32_t) override {}
    void FillRect(const IntRect&) override {}
    void DrawRectangle(const IntRect&) override {}
    void DrawImage(const IntRect&, const DecodedImage&) override {}

  private:
    std::unique_ptr<FontMetricsSource> ownMetrics_;
    AdvanceCache advances_;
    const CharAdvances* current_ = nullptr;
};

}  // namespace report
