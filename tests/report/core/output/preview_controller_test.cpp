// The preview's view logic: options, zoom carried between previews, navigation, scrolling,
// painting plan and mouse.
#include <gtest/gtest.h>

#include "report/core/model/memo_view.h"
#include "report/core/output/preview_controller.h"
#include "tests/report/core/output/preview_pages_fixture.h"

namespace report {
namespace {

using preview_test::PreviewPages;

TEST(PreviewToolbar, ButtonsFollowPreviewButtons) {
    namespace pb = preview_button;
    const uint8_t program =
        pb::pbZoom | pb::pbLoad | pb::pbSave | pb::pbPrint | pb::pbFind | pb::pbHelp | pb::pbExit;
    struct Case {
        const char* name;
        uint8_t buttons;
        bool ownWindow;
        bool printer;
        ToolbarState expected;
    };
    ToolbarState all;
    all.zoom = all.load = all.save = all.print = all.find = all.help = all.exit = true;
    all.exportPdf = all.zoomSeparator = all.findSeparator = all.printEnabled = true;
    ToolbarState noZoom = all;
    noZoom.zoom = noZoom.zoomSeparator = false;
    ToolbarState noFindNoHelp = all;
    noFindNoHelp.find = noFindNoHelp.help = noFindNoHelp.findSeparator = false;
    ToolbarState onPanel = all;
    onPanel.help = onPanel.exit = false;
    ToolbarState helpOnPanel = onPanel;
    helpOnPanel.find = helpOnPanel.findSeparator = false;
    ToolbarState noPrinter = all;
    noPrinter.printEnabled = false;
    ToolbarState withSetup = all;
    withSetup.pageSetup = true;
    const std::vector<Case> cases{
        {"the program's buttons", program, true, true, all},
        {"no zoom: no first separator", program & ~pb::pbZoom, true, true, noZoom},
        {"no find nor help: no third separator", program & ~(pb::pbFind | pb::pbHelp), true, true,
         noFindNoHelp},
        {"toolbar on a panel: no help nor close", program, false, true, onPanel},
        {"help alone on a panel shows no third separator", program & ~pb::pbFind, false, true,
         helpOnPanel},
        {"no printer: print disabled", program, true, false, noPrinter},
        {"page set-up", program | pb::pbPageSetup, true, true, withSetup},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ToolbarState s = ToolbarFor(c.buttons, c.ownWindow, c.printer);
        const ToolbarState& e = c.expected;
        EXPECT_EQ(s.zoom, e.zoom);
        EXPECT_EQ(s.load, e.load);
        EXPECT_EQ(s.save, e.save);
        EXPECT_EQ(s.print, e.print);
        EXPECT_EQ(s.pageSetup, e.pageSetup);
        EXPECT_EQ(s.find, e.find);
        EXPECT_EQ(s.help, e.help);
        EXPECT_EQ(s.exit, e.exit);
        EXPECT_EQ(s.exportPdf, e.exportPdf);
        EXPECT_EQ(s.zoomSeparator, e.zoomSeparator);
        EXPECT_EQ(s.findSeparator, e.findSeparator);
        EXPECT_EQ(s.printEnabled, e.printEnabled);
    }
}

TEST(ZoomMenu, TagsCaptionsAndCheckedItems) {
    const auto items = ZoomMenuItems();
    ASSERT_EQ(items.size(), 10u);
    EXPECT_EQ(items.front().tag, 200);
    EXPECT_EQ(items[2].tag, 100);
    EXPECT_EQ(items.back().tag, 3);
    struct Case {
        ZoomState zoom;
        int checked;
        const char* caption;
    };
    const std::vector<Case> cases{
        {{1.0, ZoomMode::Percentage}, 100, "100%"}, {{0.75, ZoomMode::Percentage}, 75, "75%"},
        {{0.333, ZoomMode::Percentage}, 0, "33%"},  {{1.234, ZoomMode::PageWidth}, 1, "123%"},
        {{0.6, ZoomMode::WholePage}, 2, "60%"},     {{0.5, ZoomMode::TwoPages}, 3, "50%"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        EXPECT_EQ(CheckedZoomTag(c.zoom), c.checked);
        EXPECT_EQ(ZoomCaption(c.zoom.factor), c.caption);
    }
}

class PreviewControllerTest : public ::testing::Test {
  protected:
    PreviewPages bench;
    ZoomMemory memory;

    // A controller showing `pages` in a box of the given size, as a preview opens.
    std::unique_ptr<PreviewController> Open(std::unique_ptr<PreparedPages> pages, int32_t width,
                                            int32_t height) {
        auto preview = std::make_unique<PreviewController>(memory);
        preview->AttachPages(std::move(pages));
        preview->ApplyReportOptions(*bench.report, true);
        preview->SetBoxSize(width, height);
        preview->ResetView(true);
        return preview;
    }
};

TEST_F(PreviewControllerTest, TheZoomChosenIsTheNextPreviewsUnlessInitialZoomSaysOtherwise) {
    auto first = Open(bench.PagesOfSize(2, 400, 600), 1000, 700);
    EXPECT_DOUBLE_EQ(first->Zoom().factor, 1.0);
    first->ChooseZoom(50);
    EXPECT_DOUBLE_EQ(first->Zoom().factor, 0.5);
    first.reset();

    auto second = Open(bench.PagesOfSize(2, 400, 600), 1000, 700);
    EXPECT_DOUBLE_EQ(second->Zoom().factor, 0.5);
    EXPECT_EQ(second->CheckedZoomTag(), 50);
    second.reset();

    bench.report->initialZoom = PreviewZoom::pzPageWidth;
    auto third = Open(bench.PagesOfSize(2, 400, 600), 1000, 700);
    EXPECT_EQ(third->Zoom().mode, ZoomMode::PageWidth);
    EXPECT_DOUBLE_EQ(third->Zoom().factor, (1000 - 20) / 400.0);
    EXPECT_EQ(third->CheckedZoomTag(), 1);
    EXPECT_EQ(third->ZoomButtonCaption(), "245%");
}

TEST_F(PreviewControllerTest, CtrlEndBringsTheLastPageTenPixelsBelowTheTop) {
    struct Case {
        const char* name;
        int32_t boxHeight;
        int32_t position;
    };
    // Five pages of 300 at 100 %: tops 10, 320, 630, 940, 1250, the last ending at 1550.
    const std::vector<Case> cases{
        {"the range allows it", 200, 1240},
        {"as far as the range allows", 600, 1550 - 600 + 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto preview = Open(bench.PagesOfSize(5, 700, 300), 720, c.boxHeight);
        EXPECT_EQ(preview->HandleKey(PreviewKey::End, {.ctrl = true}), PreviewAction::LastPage);
        EXPECT_EQ(preview->CurrentPage(), 5);
        EXPECT_EQ(preview->VerticalPosition(), c.position);
        EXPECT_EQ(preview->PageLabel(), "Page 5/5");
    }
}

TEST_F(PreviewControllerTest, KeysScrollAndChangePages) {
    auto preview = Open(bench.PagesOfSize(5, 700, 300), 720, 400);
    struct Step {
        PreviewKey key;
        KeyModifiers modifiers;
        int page;
        int32_t vertical;
    };
    const std::vector<Step> steps{
        {PreviewKey::Down, {}, 1, 10},
        {PreviewKey::PageDown, {}, 1, 210},
        {PreviewKey::PageDown, {}, 2, 410},  // 421 lies inside page 2 (320 to 620)
        {PreviewKey::Up, {}, 2, 400},
        {PreviewKey::PageDown, {.ctrl = true}, 3, 620},
        {PreviewKey::PageUp, {.ctrl = true}, 2, 310},
        {PreviewKey::Home, {.ctrl = true}, 1, 0},
        {PreviewKey::PageUp, {}, 1, 0},
        {PreviewKey::PageUp, {.ctrl = true}, 1, 0},  // no page before the first
    };
    for (size_t i = 0; i < steps.size(); ++i) {
        SCOPED_TRACE(i);
        preview->HandleKey(steps[i].key, steps[i].modifiers);
        EXPECT_EQ(preview->CurrentPage(), steps[i].page);
        EXPECT_EQ(preview->VerticalPosition(), steps[i].vertical);
    }
}

TEST_F(PreviewControllerTest, PrintShortcutNeedsAPrinter) {
    auto preview = Open(bench.PagesOfSize(1, 700, 300), 720, 400);
    EXPECT_EQ(preview->HandleKey(PreviewKey::P, {.ctrl = true}), PreviewAction::Print);
    preview->ApplyReportOptions(*bench.report, false);
    EXPECT_EQ(preview->HandleKey(PreviewKey::P, {.ctrl = true}), PreviewAction::Consumed);
}

TEST_F(PreviewControllerTest, WithoutPagesKeysGoOn) {
    PreviewController preview(memory);
    EXPECT_EQ(preview.HandleKey(PreviewKey::Escape, {}), PreviewAction::NotHandled);
    EXPECT_EQ(preview.PageLabel(), "");
}

TEST_F(PreviewControllerTest, PaintDrawsPagesOnScreenAndReleasesTheOthers) {
    auto preview = Open(bench.Pages({{"Un"}, {"Deux"}, {"Trois"}}), 1000, 500);
    // A4 at 100 %: only the first page shows in a box 500 high.
    PaintPlan plan = preview->PlanPaint(IntRect{0, 0, 1000, 500});
    ASSERT_EQ(plan.draw.size(), 1u);
    EXPECT_EQ(plan.draw[0].index, 0);
    EXPECT_EQ(plan.draw[0].sheet, preview->SheetOnScreen(0));
    EXPECT_EQ(plan.release, (std::vector<int>{1, 2}));
    EXPECT_TRUE(preview->Pages()->PageAt(0).visible);
    EXPECT_FALSE(preview->Pages()->PageAt(1).visible);

    // Scrolled to the second page, the first goes.
    preview->HandleKey(PreviewKey::PageDown, {.ctrl = true});
    plan = preview->PlanPaint(IntRect{0, 0, 1000, 500});
    ASSERT_EQ(plan.draw.size(), 1u);
    EXPECT_EQ(plan.draw[0].index, 1);
    EXPECT_EQ(plan.release, (std::vector<int>{0, 2}));
    // A repaint of a strip between the pages draws none of them.
    const IntRect below = preview->SheetOnScreen(1);
    plan = preview->PlanPaint(IntRect{0, 0, below.left, 500});
    EXPECT_TRUE(plan.draw.empty());
}

TEST_F(PreviewControllerTest, APageWithoutMarginsActiveIsDrawnIntoItsPrintableArea) {
    auto pages = bench.PagesOfSize(1, 800, 1000);
    PreparedPage& page = pages->PageAt(0);
    page.marginsActive = false;
    page.metrics.offsetX = 20;
    page.metrics.offsetY = 30;
    page.metrics.printableWidth = 760;
    page.metrics.printableHeight = 940;
    page.margins = PageMargins{10, 20, 30, 40};
    auto preview = Open(std::move(pages), 1000, 600);
    preview->ChooseZoom(50);
    const PaintPlan plan = preview->PlanPaint(IntRect{0, 0, 1000, 600});
    ASSERT_EQ(plan.draw.size(), 1u);
    const IntRect sheet = plan.draw[0].sheet;
    EXPECT_EQ(sheet, (IntRect{300, 10, 700, 510}));
    // left (20 + 10) / 2, top (30 + 20) / 2, width (760 - 40) / 2, height (940 - 60) / 2.
    EXPECT_EQ(plan.draw[0].drawRect, (IntRect{315, 35, 315 + 360, 35 + 440}));
}

TEST_F(PreviewControllerTest, MouseMapsToPagesDragsAndWheels) {
    auto preview = Open(bench.Pages({{"Un"}, {"Deux"}}), 400, 300);
    preview->ChooseZoom(50);
    const IntRect sheet = preview->SheetOnScreen(0);
    struct Case {
        int32_t x, y;
        bool onPage;
        int index;
        int32_t px, py;
    };
    const std::vector<Case> cases{
        {sheet.left, sheet.top, true, 0, 0, 0},
        {sheet.left + 50, sheet.top + 101, true, 0, 100, 202},
        {sheet.left - 1, sheet.top, false, 0, 0, 0},
        {sheet.left, sheet.bottom, false, 0, 0, 0},  // the gap below
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        const auto point = preview->PageAt(c.x, c.y);
        ASSERT_EQ(point.has_value(), c.onPage);
        if (!point) continue;
        EXPECT_EQ(point->index, c.index);
        EXPECT_EQ(point->x, c.px);
        EXPECT_EQ(point->y, c.py);
    }

    EXPECT_FALSE(preview->Press(100, 100));  // no click handler: dragging starts
    EXPECT_TRUE(preview->Dragging());
    preview->DragTo(100, 60);
    EXPECT_EQ(preview->VerticalPosition(), 40);
    preview->Release();
    preview->DragTo(100, 0);
    EXPECT_EQ(preview->VerticalPosition(), 40);
    preview->Wheel(2, 3);
    EXPECT_EQ(preview->VerticalPosition(), 100);
    preview->Wheel(-1, 1);
    EXPECT_EQ(preview->VerticalPosition(), 90);
}

TEST_F(PreviewControllerTest, AClickOnAnObjectGoesToTheReport) {
    auto preview = Open(bench.Pages({{"Un"}}), 1000, 600);
    std::string clicked;
    bench.report->onObjectClick = [&](View& view) { clicked = view.name; };
    const IntRect sheet = preview->SheetOnScreen(0);
    // The text object covers (20, 20) to (220, 38) of the sheet, at 100 %.
    EXPECT_TRUE(preview->Press(sheet.left + 25, sheet.top + 25));
    EXPECT_EQ(clicked, "Memo1");
    EXPECT_FALSE(preview->Dragging());
    EXPECT_FALSE(preview->Press(sheet.left + 25, sheet.top + 100));
    EXPECT_TRUE(preview->Dragging());
}

TEST_F(PreviewControllerTest, DoubleClickMakesTheClickedPageCurrentAndSwallowsThePress) {
    auto preview = Open(bench.PagesOfSize(3, 200, 300), 700, 400);  // one row of three
    const IntRect third = preview->SheetOnScreen(2);
    preview->Press(third.left + 5, third.top + 5);
    preview->DoubleClick();
    EXPECT_EQ(preview->CurrentPage(), 3);
    EXPECT_FALSE(preview->Dragging());
    preview->Press(third.left + 5, third.top + 5);  // the one after the double click
    EXPECT_FALSE(preview->Dragging());
}

}  // namespace
}  // namespace report
