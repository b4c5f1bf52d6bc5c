#include <gtest/gtest.h>

#include "report/core/render/frame_painter.h"
#include "tests/report/core/render/render_fixture.h"

namespace report::testing {
namespace {

class FrameTest : public RenderTest {
  protected:
    // Draws the frame of `view` at scale 1 and returns the painting operations.
    std::vector<std::string> Frame(View& view, bool withBackground = true) {
        context.geometry = ObjectGeometry::Of(view);
        DrawScope scope(context, view.frameTyp);
        if (withBackground) DrawBackground(view, context);
        DrawFrame(view, context);
        return canvas.Drawings();
    }
};

struct ScopeCase {
    const char* name;
    float frameWidth;
    uint16_t frameTyp;
    double scale;
    int32_t gapX, gapY;
    IntRect drawRect;
};

TEST_F(FrameTest, BeginDrawScalesGeometryAndInsetsTheFrame) {
    const ScopeCase cases[] = {
        // width 1 at scale 1: a1 = 0, a2 = round(0.5) = 0, b2 = 0: gaps unchanged
        {"width 1, all sides", 1.0f, 15, 1.0, 2, 1, {10, 20, 111, 71}},
        // width 3: a1 = 1, a2 = round(1.5) = 2, b2 = 2: GapX + 2, GapY + half(2)
        {"width 3, all sides", 3.0f, 15, 1.0, 4, 2, {11, 21, 109, 69}},
        {"width 3, no side", 3.0f, 0, 1.0, 4, 2, {10, 20, 111, 71}},
        {"width 3, left and top", 3.0f, 12, 1.0, 4, 2, {11, 21, 111, 71}},
        // scale 2: x 20, y 40, w 200, h 100; fw 2 -> a1 = round(0.5) = 0, a2 = 1, b2 = 1
        {"width 1, scale 2", 1.0f, 15, 2.0, 5, 2, {20, 40, 220, 140}},
        // scale 1.5: 15, 30, right round(165) = 165, bottom round(105) = 105; fw 1.5:
        // a1 = round(0.25) = 0, a2 = round(0.75) = 1; gapX round(3) + 1, gapY round(1.5)=2 + 0
        {"width 1, scale 1.5", 1.0f, 15, 1.5, 4, 2, {15, 30, 165, 105}},
    };
    for (const ScopeCase& c : cases) {
        SCOPED_TRACE(c.name);
        MemoView memo;
        Place(memo, 10, 20, 100, 50);
        memo.frameWidth = c.frameWidth;
        memo.frameTyp = c.frameTyp;
        context.scaleX = context.scaleY = c.scale;
        context.geometry = ObjectGeometry::Of(memo);
        {
            DrawScope scope(context, memo.frameTyp);
            EXPECT_EQ(context.geometry.gapX, c.gapX);
            EXPECT_EQ(context.geometry.gapY, c.gapY);
            EXPECT_EQ(context.drawRect, c.drawRect);
            EXPECT_DOUBLE_EQ(context.geometry.frameWidth, c.frameWidth * c.scale);
        }
        EXPECT_EQ(context.geometry, ObjectGeometry::Of(memo)) << "EndDraw restores";
    }
}

TEST_F(FrameTest, DesigningForcesScaleOneAndNoOffset) {
    context.mode = DocumentMode::Designing;
    context.scaleX = context.scaleY = 3.0;
    context.drawOffsetX = context.drawOffsetY = 7;
    MemoView memo;
    Place(memo, 10, 20, 100, 50);
    context.geometry = ObjectGeometry::Of(memo);
    DrawScope scope(context, 0);
    EXPECT_EQ(context.drawRect, (IntRect{10, 20, 111, 71}));
}

struct FrameCase {
    const char* name;
    float frameWidth;
    uint16_t frameStyle;
    uint16_t frameTyp;
    std::vector<std::string> expected;
};

TEST_F(FrameTest, SidesByWidthAndStyle) {
    const FrameCase cases[] = {
        {"solid width 1",
         1.0f,
         0,
         15,
         {"line 110,20-110,70 0000FF w1 solid", "line 10,20-10,70 0000FF w1 solid",
          "line 10,70-110,70 0000FF w1 solid", "line 10,20-110,20 0000FF w1 solid"}},
        {"solid width 3, right only", 3.0f, 0, 1, {"line 110,20-110,70 0000FF w3 solid"}},
        {"dash width 3: three parallel lines",
         3.0f,
         1,
         1,
         {"line 109,20-109,70 0000FF w1 dash", "line 110,20-110,70 0000FF w1 dash",
          "line 111,20-111,70 0000FF w1 dash"}},
        {"dot width 2: offsets -1 and 0",
         2.0f,
         2,
         8,
         {"line 10,19-110,19 0000FF w1 dot", "line 10,20-110,20 0000FF w1 dot"}},
        {"dash-dot width 1", 1.0f, 3, 2, {"line 10,70-110,70 0000FF w1 dashdot"}},
        {"dash-dot-dot width 1", 1.0f, 4, 4, {"line 10,20-10,70 0000FF w1 dashdotdot"}},
        {"double width 1: out, fill colour, in",
         1.0f,
         5,
         1,
         {"line 109,20-109,70 0000FF w1 solid", "line 110,20-110,70 00FF00 w1 solid",
          "line 111,20-111,70 0000FF w1 solid"}},
        {"double width 2 on the top side",
         2.0f,
         5,
         8,
         {"line 10,18-110,18 0000FF w2 solid", "line 10,20-110,20 00FF00 w2 solid",
          "line 10,22-110,22 0000FF w2 solid"}},
    };
    for (const FrameCase& c : cases) {
        SCOPED_TRACE(c.name);
        canvas.Clear();
        MemoView memo;
        Place(memo, 10, 20, 100, 50);
        memo.frameWidth = c.frameWidth;
        memo.frameStyle = c.frameStyle;
        memo.frameTyp = c.frameTyp;
        memo.frameColor = 0x0000FF;
        memo.fillColor = kNoColor;
        std::vector<std::string> drawn = Frame(memo);
        if (c.frameStyle == 5) {
            // the middle line of a double frame takes the fill colour
            memo.fillColor = 0x00FF00;
            canvas.Clear();
            drawn = Frame(memo, false);
        }
        EXPECT_EQ(drawn, c.expected);
    }
}

TEST_F(FrameTest, DashedSidesPaintTheGroundInTheFillColour) {
    MemoView memo;
    Place(memo, 10, 20, 100, 50);
    memo.frameStyle = 1;
    memo.frameTyp = 1;
    memo.fillColor = 0x123456;
    Frame(memo);
    EXPECT_EQ(canvas.CurrentBrush().color, 0x123456);
}

TEST_F(FrameTest, TransparentFillWithoutFrameSidesPaintsNothingWhilePrinting) {
    MemoView memo;
    Place(memo, 10, 20, 100, 50);
    EXPECT_TRUE(Frame(memo).empty());
}

TEST_F(FrameTest, BackgroundFillsToTheUnshrunkEdges) {
    MemoView memo;
    Place(memo, 10, 20, 100, 50);
    memo.fillColor = 0xFFFF00;
    memo.frameWidth = 3;
    memo.frameTyp = 15;
    const auto drawn = Frame(memo);
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(drawn[0], "fill (10,20,110,70) FFFF00");
}

TEST_F(FrameTest, DesigningPaintsWhiteInsideDrawRectAndCornerMarks) {
    context.mode = DocumentMode::Designing;
    MemoView memo;
    Place(memo, 10, 20, 100, 50);
    const std::vector<std::string> expected = {
        "fill (10,20,111,71) FFFFFF",         "line 10,23-10,20 000000 w1 solid",
        "line 10,20-14,20 000000 w1 solid",   "line 10,67-10,70 000000 w1 solid",
        "line 10,70-14,70 000000 w1 solid",   "line 107,20-110,20 000000 w1 solid",
        "line 110,20-110,24 000000 w1 solid", "line 107,70-110,70 000000 w1 solid",
        "line 110,70-110,66 000000 w1 solid"};
    EXPECT_EQ(Frame(memo), expected);
}

TEST_F(FrameTest, FirstPassPaintsNothing) {
    context.firstPass = true;
    MemoView memo;
    Place(memo, 10, 20, 100, 50);
    memo.fillColor = 0xFFFFFF;
    memo.frameTyp = 15;
    EXPECT_TRUE(Frame(memo).empty());
}

}  // namespace
}  // namespace report::testing
