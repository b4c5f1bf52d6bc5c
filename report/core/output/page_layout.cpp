#include "report/core/output/page_layout.h"

#include <algorithm>

#include "report/core/base/rounding.h"

namespace report {
namespace {

constexpr double kSmallestZoom = 0.01;

int32_t Scaled(int32_t designPixels, double zoomFactor) {
    return RoundToInt(designPixels * zoomFactor);
}

int32_t RangeBeyond(int32_t extent, int32_t box) {
    const int32_t over = extent - box;
    return over < 0 ? 0 : over + kPageGap;
}

}  // namespace

double ZoomFactorFor(const ZoomState& zoom, const PageExtent& currentPage, int32_t boxWidth,
                     int32_t boxHeight) {
    double factor = zoom.factor;
    const double pw = std::max(currentPage.width, 1);
    const double ph = std::max(currentPage.height, 1);
    switch (zoom.mode) {
        case ZoomMode::Percentage:
            break;
        case ZoomMode::PageWidth:
            factor = (boxWidth - 2 * kPageGap) / pw;
            break;
        case ZoomMode::WholePage:
            factor = (boxHeight - 2 * kPageGap) / ph;
            break;
        case ZoomMode::TwoPages:
            factor = (boxWidth - 3 * kPageGap) / (2 * pw);
            break;
    }
    return std::max(factor, kSmallestZoom);
}

int ColumnCount(std::span<const PageExtent> pages, double zoomFactor, int32_t boxWidth) {
    int columns = 0;
    int inRow = 0;
    int32_t right = kPageGap;
    for (const PageExtent& page : pages) {
        const int32_t width = Scaled(page.width, zoomFactor);
        int32_t next = right + width + kPageGap;
        if (next > boxWidth && inRow > 0) {
            columns = std::max(columns, inRow);
            inRow = 0;
            next = kPageGap + width + kPageGap;
        }
        right = next;
        ++inRow;
    }
    columns = std::max(columns, inRow);
    return std::max(columns, 1);
}

PreviewLayout LayoutPreviewPages(std::span<const PageExtent> pages, int currentIndex,
                                 const ZoomState& zoom, int32_t boxWidth, int32_t boxHeight) {
    PreviewLayout layout;
    if (pages.empty()) return layout;
    const size_t current =
        static_cast<size_t>(std::clamp<int>(currentIndex, 0, static_cast<int>(pages.size()) - 1));
    layout.zoomFactor = ZoomFactorFor(zoom, pages[current], boxWidth, boxHeight);
    layout.columns = ColumnCount(pages, layout.zoomFactor, boxWidth);
    if (zoom.mode == ZoomMode::WholePage) layout.columns = 1;
    if (zoom.mode == ZoomMode::TwoPages) layout.columns = 2;

    int32_t largestRight = 0;
    int32_t largestBottom = 0;
    int32_t y = kPageGap;
    layout.pageRects.reserve(pages.size());
    for (size_t rowStart = 0; rowStart < pages.size(); rowStart += layout.columns) {
        int32_t x = kPageGap;
        int32_t rowHeight = 0;
        const size_t rowEnd = std::min(pages.size(), rowStart + layout.columns);
        for (size_t i = rowStart; i < rowEnd; ++i) {
            const int32_t w = Scaled(pages[i].width, layout.zoomFactor);
            const int32_t h = Scaled(pages[i].height, layout.zoomFactor);
            const int32_t left = layout.columns == 1 && w < boxWidth ? (boxWidth - w) / 2 : x;
            layout.pageRects.push_back(IntRect{left, y, left + w, y + h});
            largestRight = std::max(largestRight, left + w);
            largestBottom = std::max(largestBottom, y + h);
            rowHeight = std::max(rowHeight, h);
            x += w + kPageGap;
        }
        y += rowHeight + kPageGap;
    }
    layout.horizontalMaximum = RangeBeyond(largestRight, boxWidth);
    layout.verticalMaximum = RangeBeyond(largestBottom, boxHeight);
    return layout;
}

}  // namespace report
