#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/core/base/rounding.h"
#include "report/core/prepared/page_geometry.h"
#include "report/core/prepared/prepared_pages.h"
#include "tests/report/core/prepared/prepared_fixtures.h"

namespace {

using prepared_fixtures::Bench;
using prepared_fixtures::Memo;
using report::PreparedPages;

// A page with three objects; "B" overlaps "A", and "C" lies apart.
struct HitBench {
    Bench bench;
    PreparedPages store{*bench.report};
    std::vector<std::string> clicked;
    explicit HitBench(bool marginsActive) {
        bench.templatePage->marginsActive = marginsActive ? -1 : 0;
        bench.templatePage->leftMargin = 40;
        bench.templatePage->topMargin = 30;
        bench.templatePage->rightMargin = 20;
        bench.templatePage->bottomMargin = 10;
        store.AppendPage(*bench.templatePage, 0);
        for (auto [name, left, top, width, height] :
             {std::tuple{"A", 100, 100, 200, 50}, std::tuple{"B", 250, 120, 100, 60},
              std::tuple{"C", 500, 700, 10, 10}}) {
            auto memo = Memo(name, left, top, width, height);
            memo->name = name;
            store.AppendObject(0, *memo);
        }
        bench.report->onObjectClick = [this](report::View& view) { clicked.push_back(view.name); };
    }
    // The name of the object a click hits, or "" when none is.
    std::string Click(int32_t x, int32_t y) {
        clicked.clear();
        int cursor = 0;
        const bool hit = store.HitTest(0, x, y, true, cursor);
        EXPECT_EQ(hit, !clicked.empty());
        return clicked.empty() ? "" : clicked.back();
    }
};

TEST(HitTest, TheObjectLaterInThePageWins) {
    HitBench hb(true);
    struct Case {
        int32_t x, y;
        const char* expected;
    } cases[] = {
        {100, 100, "A"}, {299, 149, "B"}, {249, 149, "A"}, {260, 130, "B"}, {300, 110, ""},
        {349, 179, "B"}, {350, 150, ""},  {349, 180, ""},  {99, 120, ""},   {505, 705, "C"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        EXPECT_EQ(hb.Click(c.x, c.y), c.expected);
    }
}

TEST(HitTest, PageWithoutMarginsActiveIsHitWhereItIsDrawn) {
    HitBench hb(false);
    const report::PreparedPage& page = hb.store.PageAt(0);
    ASSERT_FALSE(page.marginsActive);
    const report::PageMetrics& m = page.metrics;
    ASSERT_GT(m.pageWidth, 0);
    // Drawing maps the page's full extent onto the printable area less the margins.
    const report::IntRect sheet = report::SheetRectOf(page);
    EXPECT_EQ(sheet,
              (report::IntRect{m.offsetX + 40, m.offsetY + 30, m.offsetX + m.printableWidth - 20,
                               m.offsetY + m.printableHeight - 10}));
    const double sx = static_cast<double>(sheet.right - sheet.left) / m.pageWidth;
    const double sy = static_cast<double>(sheet.bottom - sheet.top) / m.pageHeight;
    const auto at = [&](double x, double y) {
        return std::pair{report::RoundToInt(x * sx + sheet.left),
                         report::RoundToInt(y * sy + sheet.top)};
    };
    struct Case {
        double x, y;  // object coordinates
        const char* expected;
    } cases[] = {
        {150, 110, "A"}, {300, 160, "B"}, {505, 705, "C"}, {50, 50, ""}, {400, 400, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        const auto [x, y] = at(c.x, c.y);
        EXPECT_EQ(hb.Click(x, y), c.expected);
    }
    // The unmapped position of "C" is not where it is drawn.
    EXPECT_EQ(hb.Click(505, 705), "");
}

TEST(HitTest, MouseOverLetsTheHandlerChangeTheCursor) {
    HitBench hb(true);
    int cursor = 0;
    EXPECT_FALSE(hb.store.HitTest(0, 150, 110, false, cursor));  // no handler
    hb.bench.report->onMouseOverObject = [](report::View& view, int& c) {
        c = view.name == "A" ? 21 : 22;
    };
    EXPECT_TRUE(hb.store.HitTest(0, 150, 110, false, cursor));
    EXPECT_EQ(cursor, 21);
    hb.bench.report->onObjectClick = nullptr;
    EXPECT_FALSE(hb.store.HitTest(0, 150, 110, true, cursor));
}

TEST(DrawScale, FullExtentOntoTheRectangleAndTheGrownClip) {
    Bench bench;
    PreparedPages store(*bench.report);
    store.AppendPage(*bench.templatePage, 0);
    const report::PreparedPage& page = store.PageAt(0);
    const int32_t w = page.metrics.pageWidth;
    const int32_t h = page.metrics.pageHeight;
    const report::DrawScale half =
        report::DrawScaleOf(page, report::IntRect{5, 7, 5 + w / 2, 7 + h});
    EXPECT_DOUBLE_EQ(half.scaleX, static_cast<double>(w / 2) / w);
    EXPECT_DOUBLE_EQ(half.scaleY, 1.0);
    auto memo = Memo("x", 100, 200, 50, 20);
    const report::IntRect grown = report::GrownCanvasRect(*memo, half);
    EXPECT_EQ(grown.left, report::RoundToInt(100 * half.scaleX) + 5 - 10);
    EXPECT_EQ(grown.top, 200 + 7 - 10);
    EXPECT_EQ(grown.right, report::RoundToInt(150 * half.scaleX) + 5 + 10);
    EXPECT_EQ(grown.bottom, 220 + 7 + 10);
}

}  // namespace
