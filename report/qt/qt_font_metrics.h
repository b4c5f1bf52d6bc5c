// Character advances from Qt's font engine: the unhinted advances of each family and style,
// measured once at a large reference size and scaled linearly to the pixel height asked, so
// that a text is exactly proportionally wide at every size and on every device. Every Qt
// canvas and, when asked, the recording canvas measure through it. Needs a QGuiApplication.
#pragma once

#include <map>
#include <string>
#include <utility>

#include "report/core/render/font_metrics.h"

namespace report {

class QtFontMetrics : public FontMetricsSource {
  public:
    CharAdvances Measure(const CanvasFont& font) const override;

  private:
    struct Reference {
        CharAdvances advances;  // at kReferencePixels
        double ascentPlusDescent = 0;
    };
    static constexpr int32_t kReferencePixels = 2048;
    const Reference& ReferenceOf(const CanvasFont& font) const;
    mutable std::map<std::pair<std::string, uint16_t>, Reference> references_;
};

}  // namespace report
