#include <gtest/gtest.h>

#include "report/core/printer/printer_layer.h"
#include "report/core/render/highlight.h"
#include "report/core/render/object_painter.h"
#include "report/core/render/text_painter.h"
#include "tests/report/core/render/render_fixture.h"

namespace report::testing {
namespace {

class TextPainterTest : public RenderTest {
  protected:
    // ShowText of already laid-out lines at scale 1; the text operations.
    std::vector<std::string> Show(const MemoView& memo, const StringList& lines,
                                  int32_t textHeight) {
        context.geometry = ObjectGeometry::Of(memo);
        DrawScope scope(context, memo.frameTyp);
        ShowText(memo, lines, textHeight, context);
        return canvas.Drawings();
    }
};

TEST_F(TextPainterTest, HorizontalAlignments) {
    // box 100 wide: DrawRect (0, 0, 101, 51), clip (1, 0, 99, 50); "abc" is 30 wide
    struct Case {
        const char* name;
        uint32_t alignment;
        std::string expected;
    } cases[] = {
        {"left", text_align::kLeft, "text 2,1 \"abc\" clip(1,0,99,50)"},
        {"right: 101 - 1 - 2 - 30", text_align::kRight, "text 68,1 \"abc\" clip(1,0,99,50)"},
        {"centre: 2 + half(101 - 4 - 30)", text_align::kCenter,
         "text 35,1 \"abc\" clip(1,0,99,50)"},
        {"justified last line stays left", text_align::kJustify,
         "text 2,1 \"abc\" clip(1,0,99,50)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        canvas.Clear();
        MemoView memo;
        Place(memo, 0, 0, 100, 50);
        memo.alignment = c.alignment;
        EXPECT_EQ(Show(memo, {"abc\x01"}, 17), std::vector<std::string>{c.expected});
    }
}

TEST_F(TextPainterTest, JustificationSpreadsTheRestOverSpacesExceptOnLastLines) {
    MemoView memo;
    Place(memo, 0, 0, 100, 50);
    memo.alignment = text_align::kJustify;
    const std::vector<std::string> expected = {
        // 101 - 2 x 2 - 50 = 47 extra pixels
        "text 2,1 \"aa bb\" clip(1,0,99,50) justify 47",
        // a line without spaces is not stretched
        "text 2,16 \"abcdef\" clip(1,0,99,50)",
        // the last line of a paragraph is not stretched
        "text 2,31 \"cc dd\" clip(1,0,99,50)",
    };
    EXPECT_EQ(Show(memo, {"aa bb", "abcdef", "cc dd\x01"}, 47), expected);
}

TEST_F(TextPainterTest, VerticalAlignment) {
    struct Case {
        const char* name;
        uint32_t alignment;
        bool partial;
        int32_t firstY;
    } cases[] = {
        {"top", text_align::kTop, false, 1},
        // text height 47 in a DrawRect 21 high: half(21 - 47) = -13, above the top
        {"centre with overflow", text_align::kMiddle, false, -12},
        // bottom: 21 - 47 - 1 = -27, + GapY
        {"bottom with overflow", text_align::kBottom, false, -26},
        {"centre ignored when partial", text_align::kMiddle, true, 1},
        {"bits 3 and 4 both set: top", text_align::kVerticalMask, false, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        canvas.Clear();
        MemoView memo;
        Place(memo, 0, 0, 100, 20);
        memo.alignment = c.alignment;
        memo.partial = c.partial;
        const auto drawn = Show(memo, {"a", "b", "c\x01"}, 47);
        ASSERT_FALSE(drawn.empty());
        EXPECT_EQ(drawn[0], "text 2," + std::to_string(c.firstY) + " \"a\" clip(1,0,99,20)");
    }
}

TEST_F(TextPainterTest, PartialDrawingStopsAtTheFirstLineThatDoesNotFit) {
    MemoView memo;
    Place(memo, 0, 0, 100, 40);  // clip bottom 40: lines at 1 and 16 fit, 31 does not
    memo.partial = true;
    EXPECT_EQ(Show(memo, {"a", "b", "c\x01"}, 47).size(), 2u);
}

TEST_F(TextPainterTest, RotatedTextReadsUpwardFromTheBottom) {
    MemoView memo;
    Place(memo, 0, 0, 50, 100);  // DrawRect (0, 0, 51, 101)
    struct Case {
        const char* name;
        uint32_t alignment;
        std::string expected;
    } cases[] = {
        {"bottom (left)", text_align::kRotated, "text 2,100 \"abc\" clip(1,0,49,100) rotated"},
        {"top (right): GapY + width", text_align::kRotated | text_align::kRight,
         "text 2,31 \"abc\" clip(1,0,49,100) rotated"},
        // 101 - 1 - half(101 - 2 - 30) - 1
        {"centre", text_align::kRotated | text_align::kCenter,
         "text 2,65 \"abc\" clip(1,0,49,100) rotated"},
        {"justified", text_align::kRotated | text_align::kJustify,
         "text 2,100 \"a c\" clip(1,0,49,100) justify 69 rotated"},
        // vertical centre moves the start across: half(51 - 17)
        {"middle", text_align::kRotated | text_align::kMiddle,
         "text 19,100 \"abc\" clip(1,0,49,100) rotated"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        canvas.Clear();
        memo.alignment = c.alignment;
        const std::string line = (c.alignment & 3) == 3 ? "a c" : "abc\x01";
        EXPECT_EQ(Show(memo, {line}, 17), std::vector<std::string>{c.expected});
    }
}

TEST_F(TextPainterTest, FontHeightByScale) {
    // The layout's rounded height times the scale, fractions kept: a line painted at any
    // scale is as wide as laid out.
    struct Case {
        const char* name;
        double scale;
        int32_t size;
        double pixels;
    } cases[] = {
        {"scale 1 rounds: 10 pt", 1.0, 10, 13},
        {"scale 1 rounds: 8 pt", 1.0, 8, 11},
        {"8 pt x 1.0001", 1.0001, 8, 11.0011},
        {"10 pt x 2", 2.0, 10, 26},
        {"10 pt at 1200 dpi", 1200 / Printer::kDesignPixelsPerInch, 10,
         13 * 1200 / Printer::kDesignPixelsPerInch},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemoView memo;
        memo.font.size = c.size;
        context.scaleY = c.scale;
        SetCanvasFont(memo, context);
        EXPECT_NEAR(canvas.Font().pixelHeight, c.pixels, 1e-9);
        EXPECT_EQ(canvas.CurrentBackgroundMode(), BackgroundMode::Transparent);
    }
}

TEST_F(TextPainterTest, AutoWidthFollowsTheWidestLine) {
    MemoView memo;
    Place(memo, 10, 0, 300, 50);
    memo.SetFlag(view_flag::kAutoWidth, true);
    memo.memo = {"abc", "abcdefgh\x01"};
    // 80 + frame 1 + 2 x 2 + 1
    EXPECT_EQ(CalcTextWidth(memo, context), 86);
    memo.alignment = text_align::kRight;
    DrawObject(memo, context);
    EXPECT_EQ(memo.width, 86);
    EXPECT_EQ(memo.left, 10 + 300 - 86);
}

TEST_F(TextPainterTest, DrawLaysOutDrawsAndKeepsTheLaidOutLines) {
    MemoView memo;
    Place(memo, 0, 0, 74, 50);
    memo.memo = {"abcd efgh"};
    memo.frameTyp = 15;
    DrawObject(memo, context);
    EXPECT_EQ(memo.expandedMemo, (StringList{"abcd", "efgh\x01"}));
    EXPECT_EQ(memo.lineHeight, 15);
    const std::vector<std::string> expected = {
        "line 74,0-74,50 000000 w1 solid",   "line 0,0-0,50 000000 w1 solid",
        "line 0,50-74,50 000000 w1 solid",   "line 0,0-74,0 000000 w1 solid",
        "text 2,1 \"abcd\" clip(1,0,73,50)", "text 2,16 \"efgh\" clip(1,0,73,50)"};
    EXPECT_EQ(canvas.Drawings(), expected);
    EXPECT_EQ(canvas.CharacterSpacing(), 0);
    EXPECT_EQ(memo.left, 0);
    EXPECT_EQ(memo.width, 74);
}

TEST_F(TextPainterTest, PreBrokenTextIsDrawnAsItStands) {
    MemoView memo;
    Place(memo, 0, 0, 30, 50);
    memo.memo = {"abcd efgh", "ij\x01", "\x01"};
    DrawObject(memo, context);
    EXPECT_TRUE(memo.preBroken);
    EXPECT_EQ(memo.expandedMemo, (StringList{"abcd efgh", "ij\x01"}));
}

TEST_F(TextPainterTest, DrawingAtAScaleMapsToOutputPixels) {
    MemoView memo;
    Place(memo, 10, 10, 74, 50);
    memo.memo = {"abcd efgh"};
    context.scaleX = context.scaleY = 2.0;
    context.drawOffsetX = 100;
    DrawObject(memo, context);
    // layout at scale 1 (two lines), drawing at 20 + 100 + GapX 5, 20 + GapY 2; 26 px font, pitch 4
    // + 26
    EXPECT_EQ(canvas.Texts(), (std::vector<std::string>{"abcd", "efgh"}));
    const auto drawn = canvas.Drawings();
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_EQ(drawn[0], "text 125,22 \"abcd\" clip(121,20,267,120)");
    EXPECT_EQ(drawn[1], "text 125,52 \"efgh\" clip(121,20,267,120)");
}

TEST_F(TextPainterTest, UnderlinesUnderEveryLinePitch) {
    MemoView memo;
    Place(memo, 0, 0, 50, 32);
    memo.SetFlag(view_flag::kUnderlines, true);
    memo.memo = {"a"};
    DrawObject(memo, context);
    // pitch 15: 32 div 15 = 2 lines at 1 + 15 i + 2 + 13
    const auto drawn = canvas.Drawings();
    ASSERT_GE(drawn.size(), 2u);
    EXPECT_EQ(drawn[0], "line 0,16-49,16 000000 w1 solid");
    EXPECT_EQ(drawn[1], "line 0,31-49,31 000000 w1 solid");
}

TEST_F(TextPainterTest, NegativeLineSpacingDoesNotDivideByZero) {
    MemoView memo;
    Place(memo, 0, 0, 50, 32);
    memo.SetFlag(view_flag::kUnderlines, true);
    memo.lineSpacing = -13;
    memo.memo = {"a"};
    DrawObject(memo, context);
    EXPECT_EQ(canvas.Texts().size(), 1u);
}

TEST_F(TextPainterTest, MeasuredHeightForStretching) {
    MemoView memo;
    Place(memo, 0, 0, 74, 10);
    memo.expandedMemo = {"abcd efgh ijkl"};
    EXPECT_EQ(MeasureTextHeight(memo, context), 3 * 15 + 2);
    memo.expandedMemo.clear();
    EXPECT_EQ(MeasureTextHeight(memo, context), 0);
}

TEST_F(TextPainterTest, HighlightIsWornOnlyInsideItsScope) {
    MemoView memo;
    memo.highlight.fontStyle = font_style::kBold;
    memo.highlight.fontColor = 0x0000FF;
    memo.highlight.fillColor = 0x00FFFF;
    {
        HighlightScope scope(memo, true);
        EXPECT_EQ(memo.font.style, font_style::kBold);
        EXPECT_EQ(memo.font.color, 0x0000FF);
        EXPECT_EQ(memo.fillColor, 0x00FFFF);
    }
    EXPECT_EQ(memo.font.style, 0);
    EXPECT_EQ(memo.fillColor, kNoColor);
    {
        HighlightScope scope(memo, false);
        EXPECT_EQ(memo.font.style, 0);
    }
}

}  // namespace
}  // namespace report::testing

namespace report::testing {
namespace {

class ExportTest : public RenderTest {};

TEST_F(ExportTest, ExportModeHandsTheLinesToTheHookInsteadOfTheCanvas) {
    MemoView memo;
    Place(memo, 0, 0, 74, 50);
    memo.memo = {"abcd efgh"};
    memo.frameTyp = 15;
    memo.fillColor = 0xFFFFFF;
    std::vector<std::string> exported;
    context.exportHook = [&exported](const TextOutput& output) { exported.push_back(output.text); };
    for (bool onContext : {true, false}) {
        SCOPED_TRACE(onContext ? "context in export mode" : "object in export mode");
        canvas.Clear();
        exported.clear();
        context.exportMode = onContext;
        memo.exportMode = !onContext;
        DrawObject(memo, context);
        EXPECT_TRUE(canvas.Drawings().empty()) << "no background, frame nor text";
        EXPECT_EQ(exported, (std::vector<std::string>{"abcd", "efgh"}));
    }
}

}  // namespace
}  // namespace report::testing

namespace report::testing {
namespace {

class DesignerTextTest : public RenderTest {};

TEST_F(DesignerTextTest, ALoneWideExpressionShowsItsEnd) {
    context.mode = DocumentMode::Designing;
    MemoView memo;
    Place(memo, 0, 0, 50, 20);  // DrawRect (0, 0, 51, 21), clip 48 wide
    memo.memo = {"[joueur1]"};  // 90 wide
    DrawObject(memo, context);
    const auto texts = canvas.Drawings();
    ASSERT_FALSE(texts.empty());
    // right-aligned: 51 - 1 - 2 - 90
    EXPECT_EQ(texts.back(), "text -42,1 \"[joueur1]\" clip(1,0,49,20)");
}

TEST_F(DesignerTextTest, PrinterCanvasFontsFollowTheLayoutToo) {
    MemoView memo;
    memo.font.size = 12;
    context.printerCanvasMode = true;
    context.scaleY = 6.25;
    SetCanvasFont(memo, context);
    EXPECT_DOUBLE_EQ(canvas.Font().pixelHeight, 16 * 6.25);  // the layout's 16 pixels, scaled
}

}  // namespace
}  // namespace report::testing
