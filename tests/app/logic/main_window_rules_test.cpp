// The rules the main window follows without being a widget: the commands around a draw, its
// outer size and the column widths of its grid.
#include <gtest/gtest.h>

#include <stdexcept>

#include "app/logic/draw_command_gate.h"
#include "app/logic/main_window_size.h"

namespace {

using app::DrawCommandGate;

TEST(DrawCommandGateTest, CommandsDuringADrawAreIgnored) {
    DrawCommandGate gate;
    EXPECT_TRUE(gate.AcceptsCommands());
    int draws = 0;
    int nested = 0;
    EXPECT_TRUE(gate.RunDraw([&] {
        ++draws;
        EXPECT_TRUE(gate.IsDrawRunning());
        EXPECT_FALSE(gate.AcceptsCommands());
        // A draw command let through between two picks.
        EXPECT_FALSE(gate.RunDraw([&] { ++nested; }));
    }));
    EXPECT_EQ(draws, 1);
    EXPECT_EQ(nested, 0);
    EXPECT_TRUE(gate.AcceptsCommands());
    EXPECT_FALSE(gate.TakeDeferredQuit());
}

TEST(DrawCommandGateTest, QuittingWaitsForTheDrawsEnd) {
    struct Case {
        const char* name;
        bool quitDuringDraw;
        bool drawThrows;
    };
    const Case cases[] = {
        {"no quit", false, false},
        {"quit during the draw", true, false},
        {"quit during a draw whose save fails", true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DrawCommandGate gate;
        bool quitAtOnce = true;
        const auto draw = [&] {
            if (c.quitDuringDraw) quitAtOnce = gate.RequestQuit();
            if (c.drawThrows) throw std::runtime_error("save failed");
        };
        if (c.drawThrows) {
            EXPECT_THROW(gate.RunDraw(draw), std::runtime_error);
        } else {
            EXPECT_TRUE(gate.RunDraw(draw));
        }
        EXPECT_EQ(quitAtOnce, !c.quitDuringDraw);
        EXPECT_FALSE(gate.IsDrawRunning());
        EXPECT_EQ(gate.TakeDeferredQuit(), c.quitDuringDraw);
        EXPECT_FALSE(gate.TakeDeferredQuit());  // once only
        EXPECT_TRUE(gate.RequestQuit());        // no draw: at once
    }
}

TEST(MainWindowSizeTest, OuterSizeIncludesTheFrame) {
    struct Case {
        app::FrameMargins frame;
        app::WindowSize inner;
    };
    const Case cases[] = {
        {{0, 0, 0, 0}, {500, 500}},   // no frame (offscreen)
        {{8, 31, 8, 8}, {484, 461}},  // a typical title bar and border
        {{1, 24, 1, 1}, {498, 475}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.frame.left) + "," + std::to_string(c.frame.top));
        EXPECT_EQ(app::InnerSizeForOuterSize(c.frame), c.inner);
    }
}

TEST(MainWindowSizeTest, ColumnsFollowTheOuterWidth) {
    struct Case {
        int outerWidth;
        int column;
    };
    for (const Case c : {Case{500, 210}, Case{501, 210}, Case{502, 211}, Case{800, 360},
                         Case{81, 0}, Case{79, 0}, Case{78, -1}}) {
        SCOPED_TRACE(c.outerWidth);
        EXPECT_EQ(app::DefaultColumnWidth(c.outerWidth), c.column);
    }
}

}  // namespace
