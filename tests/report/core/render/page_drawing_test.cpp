#include "report/core/render/page_drawing.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "report/core/model/line_view.h"
#include "report/core/model/memo_view.h"
#include "report/core/model/model_state.h"
#include "report/core/model/page.h"
#include "report/core/model/report.h"
#include "report/core/prepared/page_geometry.h"
#include "report/core/prepared/prepared_pages.h"
#include "report/core/render/font_metrics.h"
#include "report/core/render/measuring_canvas.h"
#include "report/core/render/recording_canvas.h"

namespace report {
namespace {

constexpr int32_t kPageWidth = 800;  // design pixels
constexpr int32_t kPageHeight = 1100;

// A store with one page of two texts and a line, on a page of 800 x 1100 design pixels whose
// printable area starts at (20, 30) and is 760 x 1040.
class PageDrawingTest : public ::testing::Test {
  protected:
    PageDrawingTest() : canvas(metrics) {
        state.printer.Start(nullptr);
        report = std::make_unique<Report>(state);
        Page& templatePage = report->AddPage();
        templatePage.metrics.pageWidth = kPageWidth;
        templatePage.metrics.pageHeight = kPageHeight;
        templatePage.metrics.offsetX = 20;
        templatePage.metrics.offsetY = 30;
        templatePage.metrics.printableWidth = 760;
        templatePage.metrics.printableHeight = 1040;
        templatePage.leftMargin = 10;
        templatePage.topMargin = 20;
        templatePage.rightMargin = 30;
        templatePage.bottomMargin = 40;
        store = std::make_unique<PreparedPages>(*report);
        store->AppendPage(templatePage, 0);
        AddMemo("Memo1", "un", 0, 0);
        AddMemo("Memo2", "deux", 100, 50);
        LineView line;
        line.name = "Line1";
        line.left = 0;
        line.top = 90;
        line.width = 200;
        line.height = 1;
        store->AppendObject(0, line);
        store->PageAt(0).visible = true;
    }

    void AddMemo(const std::string& name, const std::string& text, int32_t left, int32_t top) {
        MemoView memo;
        memo.name = name;
        memo.left = left;
        memo.top = top;
        memo.width = 74;
        memo.height = 30;
        memo.fillColor = 0x00FF00;
        memo.expandedMemo = {text};
        store->AppendObject(0, memo);
    }

    ModelState state;
    std::unique_ptr<Report> report;
    std::unique_ptr<PreparedPages> store;
    FixedAdvanceMetrics metrics{10};
    RecordingCanvas canvas;
};

TEST_F(PageDrawingTest, MapsThePageOntoTheRectangle) {
    struct Case {
        const char* name;
        IntRect rect;
        std::vector<std::string> expected;
    } cases[] = {
        {"100 %",
         {0, 0, kPageWidth, kPageHeight},
         {
             // GapX 2, GapY 1; the text clip is (DrawRect.left + 1, top, right - 2, bottom - 1)
             "fill (0,0,74,30) 00FF00",
             "text 2,1 \"un\" clip(1,0,73,30)",
             "fill (100,50,174,80) 00FF00",
             "text 102,51 \"deux\" clip(101,50,173,80)",
             "line 0,90-200,90 000000 w1 solid",
         }},
        {"50 %, shifted",
         {10, 20, 10 + kPageWidth / 2, 20 + kPageHeight / 2},
         {
             // 13 px x 0.5 truncates to 6 px; GapX round(1) + a2 round(0.25) = 1, GapY 0
             "fill (10,20,47,35) 00FF00",
             "text 11,20 \"un\" clip(11,20,46,35)",
             "fill (60,45,97,60) 00FF00",
             "text 61,45 \"deux\" clip(61,45,96,60)",
             "line 10,65-110,65 000000 w0 solid",
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        canvas.Clear();
        store->ReleasePage(0);
        DrawPage(*store, 0, canvas, c.rect);
        EXPECT_EQ(canvas.Drawings(), c.expected);
    }
}

TEST_F(PageDrawingTest, PutsTheEngineInPrintingMode) {
    state.documentMode = DocumentMode::Designing;
    DrawPage(*store, 0, canvas, IntRect{0, 0, kPageWidth, kPageHeight});
    EXPECT_EQ(state.documentMode, DocumentMode::Printing);
}

TEST_F(PageDrawingTest, SkipsObjectsOutsideTheClippingRegionUnlessPrinting) {
    // At 100 %: "un" covers (0, 0, 74, 30), "deux" (100, 50, 174, 80) and the line, as stored
    // before its first drawing makes it horizontal, (0, 90, 200, 91); each is grown by 10
    // pixels for the test.
    struct Case {
        const char* name;
        std::optional<std::vector<IntRect>> clip;
        bool printing;
        std::vector<std::string> texts;
        size_t lines;
    } cases[] = {
        {"no clip", std::nullopt, false, {"un", "deux"}, 1},
        {"top left corner", std::vector<IntRect>{{0, 0, 50, 50}}, false, {"un"}, 0},
        {"two rectangles",
         std::vector<IntRect>{{0, 0, 50, 50}, {170, 70, 180, 75}},
         false,
         {"un", "deux"},
         0},
        {"ends where the grown rectangle starts",
         std::vector<IntRect>{{80, 0, 90, 70}},
         false,
         {"un"},
         0},
        {"one pixel into the grown rectangle",
         std::vector<IntRect>{{80, 0, 91, 70}},
         false,
         {"un", "deux"},
         0},
        {"below the line's grown rectangle",
         std::vector<IntRect>{{0, 101, 800, 1100}},
         false,
         {},
         0},
        {"the line's grown bottom row", std::vector<IntRect>{{0, 100, 800, 1100}}, false, {}, 1},
        {"empty region", std::vector<IntRect>{}, false, {}, 0},
        {"empty region, printing", std::vector<IntRect>{}, true, {"un", "deux"}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        canvas.Clear();
        store->ReleasePage(0);
        canvas.SetClipRegion(c.clip);
        PageDrawOptions options;
        options.printing = c.printing;
        DrawPage(*store, 0, canvas, IntRect{0, 0, kPageWidth, kPageHeight}, options);
        EXPECT_EQ(canvas.Texts(), c.texts);
        size_t lines = 0;
        for (const RecordedOperation& op : canvas.Operations())
            lines += std::holds_alternative<recorded::Line>(op) ? 1 : 0;
        EXPECT_EQ(lines, c.lines);
    }
}

TEST_F(PageDrawingTest, APageNotVisibleIsReleasedAndComesBackIdentical) {
    const IntRect whole{0, 0, kPageWidth, kPageHeight};
    DrawPage(*store, 0, canvas, whole);
    const std::vector<std::string> first = canvas.Drawings();
    ASSERT_FALSE(first.empty());
    ASSERT_TRUE(store->PageAt(0).livePage);

    canvas.Clear();
    store->PageAt(0).visible = false;
    DrawPage(*store, 0, canvas, IntRect{});
    EXPECT_TRUE(canvas.Operations().empty());
    EXPECT_FALSE(store->PageAt(0).livePage);

    store->PageAt(0).visible = true;
    DrawPage(*store, 0, canvas, whole);
    EXPECT_TRUE(store->PageAt(0).livePage);
    EXPECT_EQ(canvas.Drawings(), first);
}

// Drawn into the sheet rectangle its MarginsActive chooses, each text object lands where the
// store's hit test finds it: 1:1 on the sheet with margins active, else shrunk into the
// printable area less the margins, (30, 50) to (750, 1030).
TEST_F(PageDrawingTest, DrawsWhereTheHitTestFindsObjects) {
    struct Case {
        bool marginsActive;
        IntRect sheetRect;
        IntRect firstFill;
    } cases[] = {
        {true, {0, 0, kPageWidth, kPageHeight}, {0, 0, 74, 30}},
        // 720 / 800 = 0.9 across, 980 / 1100 down: 74 x 0.9 = 66.6, 30 x 0.8909 = 26.7
        {false, {30, 50, 750, 1030}, {30, 50, 97, 77}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.marginsActive);
        store->PageAt(0).marginsActive = c.marginsActive;
        store->ReleasePage(0);
        const IntRect rect = SheetRectOf(store->PageAt(0));
        EXPECT_EQ(rect, c.sheetRect);
        canvas.Clear();
        DrawPage(*store, 0, canvas, rect);
        std::vector<IntRect> fills;
        for (const RecordedOperation& op : canvas.Operations())
            if (const auto* fill = std::get_if<recorded::Fill>(&op)) fills.push_back(fill->rect);
        ASSERT_EQ(fills.size(), 2u);
        EXPECT_EQ(fills[0], c.firstFill);
        const char* names[] = {"Memo1", "Memo2"};
        for (size_t i = 0; i < fills.size(); ++i) {
            std::string clicked;
            report->onObjectClick = [&](View& view) { clicked = view.name; };
            int cursor = 0;
            const IntRect& f = fills[i];
            for (const auto& [x, y] :
                 {std::pair{f.left, f.top}, std::pair{f.right - 1, f.bottom - 1}}) {
                clicked.clear();
                EXPECT_TRUE(store->HitTest(0, x, y, true, cursor));
                EXPECT_EQ(clicked, names[i]) << x << "," << y;
            }
        }
    }
}

TEST_F(PageDrawingTest, BandAlignUsesThePagesPrintableArea) {
    struct Case {
        bool marginsActive;
        int32_t left;  // design pixels
    } cases[] = {
        // right margin 30 from the page's right edge 800
        {true, 800 - 30 - 74},
        // laid out over the whole sheet
        {false, 800 - 74},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.marginsActive);
        store->PageAt(0).marginsActive = c.marginsActive;
        Page& live = store->ExpandPage(0);
        live.ObjectAt(0).bandAlign = static_cast<uint8_t>(BandAlign::baRight);
        DrawPage(*store, 0, canvas, IntRect{0, 0, kPageWidth, kPageHeight});
        EXPECT_EQ(live.ObjectAt(0).left, c.left);
    }
}

TEST(CanvasTextWidthMeasure, SettlesAutoWidthObjectsWhenThePageIsExpanded) {
    // ten pixels per character; frame 1 and gaps 2 on each side, plus one
    struct Case {
        const char* name;
        StringList text;
        uint8_t alignment;
        int32_t left, width;
    } cases[] = {
        {"left", {"abc"}, 0, 100, 36},
        {"widest line", {"abc", "abcdef"}, 0, 100, 66},
        {"right keeps its right edge", {"abc"}, 1, 100 + 200 - 36, 36},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ModelState state;
        state.printer.Start(nullptr);
        Report report(state);
        PreparedPages store(report);
        store.AppendPage(report.AddPage(), 0);
        MemoView memo;
        memo.left = 100;
        memo.width = 200;
        memo.height = 20;
        memo.alignment = c.alignment;
        memo.SetFlag(view_flag::kAutoWidth, true);
        memo.expandedMemo = c.text;
        store.AppendObject(0, memo);
        FixedAdvanceMetrics metrics(10);
        MeasuringCanvas measuring(metrics);
        CanvasTextWidthMeasure measure(measuring);
        store.SetTextWidthMeasure(&measure);
        const View& settled = store.ExpandPage(0).ObjectAt(0);
        EXPECT_EQ(settled.left, c.left);
        EXPECT_EQ(settled.width, c.width);
    }
}

}  // namespace
}  // namespace report
