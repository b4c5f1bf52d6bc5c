// Where the preview places its pages: the zoom that a mode gives, columns of pages with
// 10-pixel gaps, a single column centred, and the scroll ranges.
//
// Units: page sizes in design pixels; the box, the rectangles and the ranges in screen
// pixels, unscrolled (the top-left corner of the laid-out content is (0, 0)).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "report/core/model/view.h"
#include "report/core/output/zoom.h"

namespace report {

struct PageExtent {
    int32_t width = 0;  // PageWidth of the page's metrics
    int32_t height = 0;
};

struct PreviewLayout {
    double zoomFactor = 1.0;
    int columns = 1;
    std::vector<IntRect> pageRects;  // one per page, in page order
    int32_t horizontalMaximum = 0;   // scroll ranges; 0 disables a bar
    int32_t verticalMaximum = 0;
};

inline constexpr int32_t kPageGap = 10;  // around and between pages

// The zoom factor of a mode for a box of `boxWidth` x `boxHeight`, from the current page:
// page width (W - 20) / pw, whole page (H - 20) / ph, two pages (W - 30) / (2 pw); a
// percentage keeps `factor`. Never below 0.01, so that a tiny box still shows something.
double ZoomFactorFor(const ZoomState& zoom, const PageExtent& currentPage, int32_t boxWidth,
                     int32_t boxHeight);

// How many pages share a row: as many as fit in the box from the left with 10-pixel gaps,
// the most over all rows, at least 1. The page that does not fit opens the next row.
int ColumnCount(std::span<const PageExtent> pages, double zoomFactor, int32_t boxWidth);

// Lays the pages out. `currentIndex` (0-based) chooses the page whose size sets the zoom.
// Whole-page mode forces one column and two-pages mode two.
PreviewLayout LayoutPreviewPages(std::span<const PageExtent> pages, int currentIndex,
                                 const ZoomState& zoom, int32_t boxWidth, int32_t boxHeight);

}  // namespace report
