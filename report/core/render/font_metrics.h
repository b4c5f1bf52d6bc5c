// Where a canvas takes its character advances from: a font engine (report/qt), or the fixed
// model that tests use so that widths can be worked out by hand.
#pragma once

#include <cstdint>

#include "report/core/render/canvas_types.h"
#include "report/core/render/char_advances.h"

namespace report {

class FontMetricsSource {
  public:
    virtual ~FontMetricsSource() = default;
    // The advances of the 256 Windows-1252 characters of `font` at its pixel height.
    virtual CharAdvances Measure(const CanvasFont& font) const = 0;
};

// Every character advances the same whole number of pixels: `advance` when given, otherwise
// half the font's pixel height (truncated, at least 1). The line height is the pixel height.
class FixedAdvanceMetrics : public FontMetricsSource {
  public:
    explicit FixedAdvanceMetrics(int32_t advance = 0) : advance_(advance) {}
    CharAdvances Measure(const CanvasFont& font) const override;

  private:
    int32_t advance_;
};

}  // namespace report
