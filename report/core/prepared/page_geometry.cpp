#include "report/core/prepared/page_geometry.h"

#include <algorithm>
#include <cstdint>

#include "report/core/base/rounding.h"

namespace report {
namespace {

constexpr int32_t kClipMargin = 10;  // output pixels around an object, for its frame

double Quotient(double numerator, int32_t denominator) {
    return denominator > 0 ? numerator / denominator : 0.0;
}

}  // namespace

SheetMapping SheetMappingOf(const PreparedPage& page) {
    if (page.marginsActive) return SheetMapping{};
    const PageMetrics& m = page.metrics;
    const PageMargins& margins = page.margins;
    SheetMapping mapping;
    mapping.scaleX =
        Quotient(static_cast<double>(m.printableWidth) - margins.left - margins.right, m.pageWidth);
    mapping.scaleY = Quotient(static_cast<double>(m.printableHeight) - margins.top - margins.bottom,
                              m.pageHeight);
    mapping.offsetX = static_cast<double>(m.offsetX) + margins.left;
    mapping.offsetY = static_cast<double>(m.offsetY) + margins.top;
    return mapping;
}

IntRect SheetRectOf(const PreparedPage& page) {
    const PageMetrics& m = page.metrics;
    if (page.marginsActive) return IntRect{0, 0, m.pageWidth, m.pageHeight};
    const PageMargins& margins = page.margins;
    return IntRect{m.offsetX + margins.left, m.offsetY + margins.top,
                   m.offsetX + m.printableWidth - margins.right,
                   m.offsetY + m.printableHeight - margins.bottom};
}

IntRect MappedRect(const View& view, const SheetMapping& mapping) {
    const double x = view.left;
    const double y = view.top;
    const double right = static_cast<double>(view.left) + view.width;
    const double bottom = static_cast<double>(view.top) + view.height;
    return IntRect{RoundToInt(x * mapping.scaleX + mapping.offsetX),
                   RoundToInt(y * mapping.scaleY + mapping.offsetY),
                   RoundToInt(right * mapping.scaleX + mapping.offsetX),
                   RoundToInt(bottom * mapping.scaleY + mapping.offsetY)};
}

bool Contains(const IntRect& rect, int32_t x, int32_t y) {
    return rect.left <= x && x < rect.right && rect.top <= y && y < rect.bottom;
}

DrawScale DrawScaleOf(const PreparedPage& page, const IntRect& canvasRect) {
    DrawScale scale;
    scale.scaleX =
        Quotient(static_cast<double>(canvasRect.right) - canvasRect.left, page.metrics.pageWidth);
    scale.scaleY =
        Quotient(static_cast<double>(canvasRect.bottom) - canvasRect.top, page.metrics.pageHeight);
    scale.offsetX = canvasRect.left;
    scale.offsetY = canvasRect.top;
    return scale;
}

IntRect GrownCanvasRect(const View& view, const DrawScale& scale) {
    const auto edge = [](double coordinate, double factor, int32_t offset, int32_t grow) {
        const int64_t sum = static_cast<int64_t>(RoundToInt(coordinate * factor)) + offset + grow;
        return static_cast<int32_t>(std::clamp<int64_t>(sum, INT32_MIN, INT32_MAX));
    };
    const double right = static_cast<double>(view.left) + view.width;
    const double bottom = static_cast<double>(view.top) + view.height;
    return IntRect{edge(view.left, scale.scaleX, scale.offsetX, -kClipMargin),
                   edge(view.top, scale.scaleY, scale.offsetY, -kClipMargin),
                   edge(right, scale.scaleX, scale.offsetX, kClipMargin),
                   edge(bottom, scale.scaleY, scale.offsetY, kClipMargin)};
}

}  // namespace report
