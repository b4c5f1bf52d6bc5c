// Placement of pages in the preview: centring, rows of narrow pages, the zoom modes and the
// scroll ranges.
#include <gtest/gtest.h>

#include <vector>

#include "report/core/output/page_layout.h"

namespace report {
namespace {

TEST(PageLayout, OneA4PageAtFullSizeIsCentredTenPixelsFromTheTop) {
    const std::vector<PageExtent> pages{{794, 1123}};
    const PreviewLayout layout =
        LayoutPreviewPages(pages, 0, ZoomState{1.0, ZoomMode::Percentage}, 1200, 800);
    ASSERT_EQ(layout.pageRects.size(), 1u);
    EXPECT_EQ(layout.pageRects[0], (IntRect{203, 10, 997, 1133}));
    EXPECT_EQ(layout.columns, 1);
    EXPECT_EQ(layout.horizontalMaximum, 0);
    EXPECT_EQ(layout.verticalMaximum, 1133 - 800 + 10);
}

TEST(PageLayout, NarrowPagesShareRowsWithTenPixelGaps) {
    struct Case {
        const char* name;
        std::vector<PageExtent> pages;
        double zoom;
        int32_t boxWidth;
        int columns;
        std::vector<IntRect> rects;
    };
    const std::vector<Case> cases{
        {"three of four fit a row",
         {{200, 300}, {200, 300}, {200, 300}, {200, 300}},
         1.0,
         700,
         3,
         {{10, 10, 210, 310}, {220, 10, 420, 310}, {430, 10, 630, 310}, {10, 320, 210, 620}}},
        {"exactly two fit",
         {{200, 300}, {200, 300}, {200, 300}},
         1.0,
         430,
         2,
         {{10, 10, 210, 310}, {220, 10, 420, 310}, {10, 320, 210, 620}}},
        {"zoom halves the pages",
         {{400, 600}, {400, 600}},
         0.5,
         430,
         2,
         {{10, 10, 210, 310}, {220, 10, 420, 310}}},
        {"a taller page sets the row's height",
         {{200, 500}, {200, 300}, {200, 300}},
         1.0,
         430,
         2,
         {{10, 10, 210, 510}, {220, 10, 420, 310}, {10, 520, 210, 820}}},
        // The page that does not fit opens the next row and counts in it.
        {"a wide first page, then narrow ones",
         {{600, 300}, {200, 300}, {200, 300}, {200, 300}},
         1.0,
         700,
         3,
         {{10, 10, 610, 310}, {620, 10, 820, 310}, {830, 10, 1030, 310}, {10, 320, 210, 620}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PreviewLayout layout = LayoutPreviewPages(
            c.pages, 0, ZoomState{c.zoom, ZoomMode::Percentage}, c.boxWidth, 2000);
        EXPECT_EQ(layout.columns, c.columns);
        EXPECT_EQ(layout.pageRects, c.rects);
    }
}

TEST(PageLayout, ModesSetTheZoomAndTheColumns) {
    const std::vector<PageExtent> narrow{{200, 400}, {200, 400}, {200, 400}};
    struct Case {
        const char* name;
        ZoomMode mode;
        double zoom;
        int columns;
        IntRect first;
    };
    const std::vector<Case> cases{
        // (H - 20) / ph = 780 / 400; one page per row, centred: (1000 - 390) / 2.
        {"whole page", ZoomMode::WholePage, 1.95, 1, {305, 10, 695, 790}},
        // (W - 30) / (2 pw) = 970 / 400: two per row whatever their widths.
        {"two pages", ZoomMode::TwoPages, 2.425, 2, {10, 10, 495, 980}},
        // (W - 20) / pw = 980 / 200: the page fills the width less 10 on each side.
        {"page width", ZoomMode::PageWidth, 4.9, 1, {10, 10, 990, 1970}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PreviewLayout layout =
            LayoutPreviewPages(narrow, 0, ZoomState{1.0, c.mode}, 1000, 800);
        EXPECT_DOUBLE_EQ(layout.zoomFactor, c.zoom);
        EXPECT_EQ(layout.columns, c.columns);
        EXPECT_EQ(layout.pageRects.at(0), c.first);
    }
}

TEST(PageLayout, TheCurrentPageSetsTheZoomOfAMode) {
    const std::vector<PageExtent> pages{{200, 400}, {400, 200}};
    EXPECT_DOUBLE_EQ(
        LayoutPreviewPages(pages, 1, ZoomState{1.0, ZoomMode::PageWidth}, 420, 800).zoomFactor,
        1.0);
    EXPECT_DOUBLE_EQ(
        LayoutPreviewPages(pages, 0, ZoomState{1.0, ZoomMode::PageWidth}, 420, 800).zoomFactor,
        2.0);
}

TEST(PageLayout, ScrollRangesReachTenPixelsBeyondTheContent) {
    const std::vector<PageExtent> pages{{1000, 500}};
    const PreviewLayout layout =
        LayoutPreviewPages(pages, 0, ZoomState{1.0, ZoomMode::Percentage}, 600, 300);
    // Wider than the box: not centred, at 10.
    EXPECT_EQ(layout.pageRects[0], (IntRect{10, 10, 1010, 510}));
    EXPECT_EQ(layout.horizontalMaximum, 1010 - 600 + 10);
    EXPECT_EQ(layout.verticalMaximum, 510 - 300 + 10);
}

TEST(PageLayout, ATinyBoxStillGivesAPositiveZoom) {
    const std::vector<PageExtent> pages{{794, 1123}};
    EXPECT_GT(LayoutPreviewPages(pages, 0, ZoomState{1.0, ZoomMode::PageWidth}, 5, 5).zoomFactor,
              0.0);
}

}  // namespace
}  // namespace report
