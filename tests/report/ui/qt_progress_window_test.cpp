#include "report/ui/qt_progress_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "report/core/base/json.h"
#include "report/core/base/text.h"
#include "report/core/building/line_height_measurer.h"
#include "report/core/building/page_recorder.h"
#include "report/core/building/report_builder.h"
#include "report/core/data/dataset.h"
#include "report/core/file/template_json.h"
#include "report/core/language/engine_core.h"
#include "report/core/model/model_state.h"
#include "report/core/model/report.h"
#include "report/qt/qt_text.h"

namespace report {
namespace {

QApplication& App() {
    static int argc = 1;
    static char name[] = "qt_progress_window_test";
    static char* argv[] = {name, nullptr};
    // Never destroyed: Qt's own statics may go first at exit.
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

// One page per record, so that the build shows its progress after every record.
const char* const kTemplate = R"({"pages": [{"objects": [
    {"class": "BandView", "bandType": "MasterData", "name": "D", "top": 80, "height": 20,
     "flags": 2},
    {"class": "MemoView", "name": "M", "left": 60, "top": 82, "width": 100, "height": 16,
     "memo": ["[LINE#]"]}]}]})";

class QtProgressWindowTest : public ::testing::Test {
  protected:
    QtProgressWindowTest() {
        state.printer.Start(nullptr);
        state.globalVariables = &core.GlobalVariables();
        state.evaluate = [this](const std::string& text) {
            return core.SharedParser().Evaluate(text);
        };
        data.rangeEnd = RangeEnd::reCount;
        data.rangeEndCount = 50;
        report.dataset = &data;
        report.showProgress = true;
        JsonToTemplate(ParseJson(kTemplate), report);
    }

    bool Build() {
        ReportBuilder builder(report, core, pages, measurer, &window);
        return builder.BuildReport();
    }

    QApplication& app = App();  // before any widget
    ModelState state;
    EngineCore core;
    Report report{state};
    UserDataset data{"userDataset1"};
    PageRecorder pages;
    LineHeightMeasurer measurer{16};
    QtProgressWindow window;
};

TEST_F(QtProgressWindowTest, LaysOutItsLinesAndCancelButton) {
    EXPECT_EQ(window.size(), QSize(278, 106));
    EXPECT_EQ(window.ProgressLine()->geometry(), QRect(20, 26, 237, 13));
    EXPECT_EQ(window.SecondLine()->geometry(), QRect(20, 42, 237, 13));
    EXPECT_EQ(window.CancelButton()->geometry(), QRect(100, 68, 75, 25));
    EXPECT_EQ(window.CancelButton()->text(), QStringLiteral("Annuler"));
    EXPECT_FALSE(window.windowFlags() & Qt::WindowCloseButtonHint);
}

TEST_F(QtProgressWindowTest, RunsTheBuildOnceShownAndClosesWithOk) {
    std::vector<bool> shownWhileBuilding;
    report.onBeginPage = [&](int) { shownWhileBuilding.push_back(window.isVisible()); };
    EXPECT_TRUE(Build());
    EXPECT_EQ(pages.PageCount(), 50);
    ASSERT_FALSE(shownWhileBuilding.empty());
    EXPECT_TRUE(shownWhileBuilding.front());
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.windowTitle(), QString::fromUtf8("Préparation de l'état"));
    EXPECT_EQ(window.ProgressLine()->text(), QString::fromUtf8("Préparation de la Page :  50"));
}

TEST_F(QtProgressWindowTest, EscapeOrTheCancelButtonStopsTheBuild) {
    struct Case {
        const char* how;
        bool escape;
    };
    for (const Case& c : {Case{"Escape", true}, Case{"button", false}}) {
        SCOPED_TRACE(c.how);
        // At the third page the user cancels; the build sees it at its next progress step.
        report.onBeginPage = [&](int index) {
            if (index != 2) return;
            if (c.escape) {
                QCoreApplication::postEvent(
                    &window, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
            } else {
                QTimer::singleShot(0, window.CancelButton(), &QPushButton::click);
            }
        };
        EXPECT_FALSE(Build());
        EXPECT_FALSE(window.isVisible());
        EXPECT_GE(pages.PageCount(), 3);
        EXPECT_LT(pages.PageCount(), 50);

        // The report builds again, whole.
        report.onBeginPage = nullptr;
        EXPECT_TRUE(Build());
        EXPECT_EQ(pages.PageCount(), 50);
    }
}

TEST_F(QtProgressWindowTest, ScriptProgressShowsInTheSecondLineUntilTheNextStart) {
    std::vector<QString> seen;
    report.onBeginPage = [&](int index) {
        if (index == 1) window.SetSecondLine(Utf8ToCp1252("équipe"));
        if (index == 3) seen.push_back(window.SecondLine()->text());
    };
    EXPECT_TRUE(Build());
    EXPECT_EQ(seen, (std::vector<QString>{QString::fromUtf8("équipe")}));
    report.onBeginPage = [&](int index) {
        if (index == 0) seen.push_back(window.SecondLine()->text());
    };
    EXPECT_TRUE(Build());
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_TRUE(seen[1].isEmpty());
}

}  // namespace
}  // namespace report
