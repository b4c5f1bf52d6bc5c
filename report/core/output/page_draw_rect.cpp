#include "report/core/output/page_draw_rect.h"

#include "report/core/base/rounding.h"
#include "report/core/prepared/prepared_page.h"

namespace report {

IntRect DrawRectOnSheet(const PreparedPage& page, const IntRect& sheetRect, double zoomFactor) {
    if (page.marginsActive) return sheetRect;
    const PageMetrics& m = page.metrics;
    const PageMargins& margins = page.margins;
    const int32_t left = RoundToInt((m.offsetX + margins.left) * zoomFactor) + sheetRect.left;
    const int32_t top = RoundToInt((m.offsetY + margins.top) * zoomFactor) + sheetRect.top;
    const int32_t width =
        RoundToInt((m.printableWidth - margins.left - margins.right) * zoomFactor);
    const int32_t height =
        RoundToInt((m.printableHeight - margins.top - margins.bottom) * zoomFactor);
    return IntRect{left, top, left + width, top + height};
}

}  // namespace report
