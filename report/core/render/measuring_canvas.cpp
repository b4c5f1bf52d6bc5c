#include "report/core/render/measuring_canvas.h"

#include "report/core/render/font_metrics.h"

namespace report {

MeasuringCanvas::MeasuringCanvas()
    : ownMetrics_(std::make_unique<FixedAdvanceMetrics>()), advances_(*ownMetrics_) {}

MeasuringCanvas::MeasuringCanvas(const FontMetricsSource& metrics) : advances_(metrics) {}

void MeasuringCanvas::SetFont(const CanvasFont& font) {
    if (font == font_ && current_ != nullptr) return;
    font_ = font;
    current_ = nullptr;
}

const CharAdvances& MeasuringCanvas::Advances() {
    if (current_ == nullptr) current_ = &advances_.For(font_);
    return *current_;
}

}  // namespace report
