#include "report/core/render/font_metrics.h"

#include <algorithm>
#include <cmath>

namespace report {

CharAdvances FixedAdvanceMetrics::Measure(const CanvasFont& font) const {
    CharAdvances result;
    const int32_t advance =
        advance_ > 0 ? advance_ : std::max(1, static_cast<int32_t>(font.pixelHeight) / 2);
    result.advance.fill(advance);
    result.lineHeight = static_cast<int32_t>(std::ceil(font.pixelHeight));
    return result;
}

}  // namespace report
