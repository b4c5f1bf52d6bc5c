#include <gtest/gtest.h>

#include <memory>

#include "report/core/model/band_view.h"
#include "report/core/model/line_view.h"
#include "report/core/model/subreport_view.h"
#include "report/core/render/measuring_canvas.h"
#include "report/core/render/object_painter.h"
#include "report/core/render/page_painter.h"
#include "tests/report/core/render/render_fixture.h"

namespace report::testing {
namespace {

class PagePainterTest : public RenderTest {
  protected:
    MemoView& AddMemo(int32_t left, int32_t top, StringList text) {
        auto memo = std::make_unique<MemoView>();
        Place(*memo, left, top, 74, 30);
        memo->memo = std::move(text);
        MemoView& result = *memo;
        page.push_back(std::move(memo));
        return result;
    }
    std::vector<std::unique_ptr<View>> page;
};

TEST_F(PagePainterTest, PaintsEveryObjectInOrderAtTheScaleAndOffset) {
    AddMemo(0, 0, {"un"});
    AddMemo(100, 50, {"deux"});
    auto line = std::make_unique<LineView>();
    Place(*line, 0, 90, 200, 1);
    page.push_back(std::move(line));
    PaintPage(page, canvas, 0.5, 0.5, 10, 20);
    const std::vector<std::string> expected = {
        // 13 px x 0.5 truncates to 6 px; GapX round(1) + a2 round(0.25) = 1
        "text 11,20 \"un\" clip(11,20,46,35)",
        "text 61,45 \"deux\" clip(61,45,96,60)",
        "line 10,65-110,65 000000 w0 solid",
    };
    EXPECT_EQ(canvas.Drawings(), expected);
    // geometry as stored, the laid-out text kept
    EXPECT_EQ(page[1]->left, 100);
    EXPECT_EQ(page[1]->width, 74);
    EXPECT_EQ(page[1]->expandedMemo, StringList{"deux\x01"});
}

TEST_F(PagePainterTest, LaysOutOnTheMeasuringCanvas) {
    // the measuring canvas makes every character 20 wide: "abcd efgh" no longer fits in 70
    FixedAdvanceMetrics wide(20);
    MeasuringCanvas measuring(wide);
    AddMemo(0, 0, {"abcd efgh"});
    PagePaintOptions options;
    options.measuringCanvas = &measuring;
    PaintPage(page, canvas, 1.0, 1.0, 0, 0, options);
    EXPECT_EQ(canvas.Texts().size(), 3u);
}

TEST_F(PagePainterTest, BandAlignAgainstThePrintableArea) {
    MemoView& memo = AddMemo(0, 0, {"x"});
    memo.bandAlign = static_cast<uint8_t>(BandAlign::baRight);
    PagePaintOptions options;
    options.printableArea = IntRect{20, 20, 500, 700};
    PaintPage(page, canvas, 1.0, 1.0, 0, 0, options);
    EXPECT_EQ(memo.left, 500 - 74);
}

TEST_F(PagePainterTest, PlaceholdersOnlyWhileDesigning) {
    SubReportView sub;
    Place(sub, 10, 10, 100, 40);
    sub.name = "SubReport1";
    DrawObject(sub, context);
    EXPECT_TRUE(canvas.Drawings().empty());
    context.mode = DocumentMode::Designing;
    DrawObject(sub, context);
    const std::vector<std::string> expected = {
        "rectangle (10,10,111,51) pen 000000 w1 brush FFFFFF",
        "text 12,12 \"SubReport1\" clip(10,10,111,51)"};
    EXPECT_EQ(canvas.Drawings(), expected);
}

}  // namespace
}  // namespace report::testing
