#include "report/core/output/zoom.h"

#include <array>

#include "report/core/base/rounding.h"

namespace report {
namespace {

constexpr std::array<ZoomMenuItem, 10> kItems{{
    {"N2001", 200, "preview.zoom.200"},
    {"N1501", 150, "preview.zoom.150"},
    {"N1001", 100, "preview.zoom.100"},
    {"N751", 75, "preview.zoom.75"},
    {"N501", 50, "preview.zoom.50"},
    {"N251", 25, "preview.zoom.25"},
    {"N101", 10, "preview.zoom.10"},
    {"N1", 1, "preview.zoom.page_width"},
    {"N2", 2, "preview.zoom.whole_page"},
    {"N3", 3, "preview.zoom.two_pages"},
}};

}  // namespace

std::span<const ZoomMenuItem> ZoomMenuItems() {
    return kItems;
}

ZoomState ZoomForTag(int tag, double currentFactor) {
    switch (tag) {
        case 1:
            return {currentFactor, ZoomMode::PageWidth};
        case 2:
            return {currentFactor, ZoomMode::WholePage};
        case 3:
            return {currentFactor, ZoomMode::TwoPages};
        default:
            return {tag / 100.0, ZoomMode::Percentage};
    }
}

int CheckedZoomTag(const ZoomState& zoom) {
    if (zoom.mode != ZoomMode::Percentage) return static_cast<int>(zoom.mode);
    const int percent = RoundToInt(zoom.factor * 100);
    for (const ZoomMenuItem& item : kItems)
        if (item.tag > 3 && item.tag == percent) return percent;
    return 0;
}

std::string ZoomCaption(double factor) {
    return std::to_string(RoundToInt(factor * 100)) + "%";
}

void ApplyInitialZoom(PreviewZoom initialZoom, ZoomMemory& memory) {
    switch (initialZoom) {
        case PreviewZoom::pzPageWidth:
            memory.lastZoomMode = ZoomMode::PageWidth;
            break;
        case PreviewZoom::pzOnePage:
            memory.lastZoomMode = ZoomMode::WholePage;
            break;
        case PreviewZoom::pzTwoPages:
            memory.lastZoomMode = ZoomMode::TwoPages;
            break;
        case PreviewZoom::pzDefault:
            break;
    }
}

}  // namespace report
