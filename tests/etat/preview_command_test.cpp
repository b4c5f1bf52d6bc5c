// etat preview: the desktop's command for a .etp file opens the engine's preview window on the
// file's pages, ready to print; bad input gets its French message and exit status 1.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QToolBar>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "report/core/output/preview_controller.h"
#include "report/ui/preview_window.h"
#include "tests/etat/run_command.h"

namespace {

using etat_test::RunCommand;

std::string SourceFile(const std::string& relative) {
    const char* root = std::getenv("TOMBAGE_SOURCE_DIR");
    return std::string(root != nullptr ? root : ".") + "/" + relative;
}

// Calls `look` with the first top-level window of type W once it shows, then closes it.
template <typename W>
void WhenShown(std::function<void(W&)> look) {
    auto* timer = new QTimer(QApplication::instance());
    QObject::connect(timer, &QTimer::timeout, [timer, look] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* window = qobject_cast<W*>(widget);
            if (window == nullptr || !window->isVisible()) continue;
            timer->stop();
            timer->deleteLater();
            look(*window);
            QDialog* dialog = window;  // both kinds are dialogs
            QTimer::singleShot(0, dialog, [dialog] { dialog->accept(); });
            return;
        }
    });
    timer->start(20);
}

class PreviewCommandTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder =
            std::filesystem::temp_directory_path() / ("etat_preview_" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        etp = (folder / "tirage.etp").string();
        const std::string etf = (folder / "tirage.etf").string();
        ASSERT_EQ(RunCommand("compile", {SourceFile("tests/etat/build/tirage.json"), etf}), 0);
        ASSERT_EQ(RunCommand("build", {etf, "--values", SourceFile("tests/etat/build/tirage.csv"),
                                       "-o", etp}),
                  0);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::filesystem::path folder;
    std::string etp;
};

TEST_F(PreviewCommandTest, OpensThePreparedPagesInThePreview) {
    int pages = 0;
    bool found = false;
    bool printButton = false;
    WhenShown<report::PreviewWindow>([&](report::PreviewWindow& window) {
        pages = window.Controller().PageCount();
        found = window.Controller().StartSearch("\xC9quipe B", true, true) ==
                report::SearchOutcome::Found;
        printButton = !window.Toolbar().actions().isEmpty();
    });
    EXPECT_EQ(RunCommand("preview", {etp}), 0);
    EXPECT_EQ(pages, 1);
    EXPECT_TRUE(found);
    EXPECT_TRUE(printButton);
}

TEST_F(PreviewCommandTest, BadInputTable) {
    struct Case {
        const char* what;
        std::vector<std::string> args;
        const char* boxText;  // null: refused before any window
    };
    const std::string damaged = (folder / "abime.etp").string();
    std::filesystem::copy_file(etp, damaged);
    std::filesystem::resize_file(damaged, std::filesystem::file_size(damaged) / 2);
    const std::vector<Case> cases = {
        {"no file", {}, nullptr},
        {"two files", {etp, etp}, nullptr},
        {"an option", {"--pdf"}, nullptr},
        {"missing file", {(folder / "absent.etp").string()}, "Impossible d'ouvrir le fichier"},
        {"damaged file", {damaged}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::optional<QString> shown;
        if (c.boxText != nullptr) {
            WhenShown<QMessageBox>([&](QMessageBox& box) { shown = box.text(); });
        }
        EXPECT_EQ(RunCommand("preview", c.args), 1);
        if (c.boxText != nullptr) {
            ASSERT_TRUE(shown.has_value());
            EXPECT_TRUE(shown->contains(QString::fromUtf8(c.boxText))) << shown->toStdString();
        }
    }
}

TEST_F(PreviewCommandTest, WithoutAnyDisplayItSaysSo) {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    const QByteArray display = qgetenv("DISPLAY");
    const QByteArray wayland = qgetenv("WAYLAND_DISPLAY");
    qunsetenv("QT_QPA_PLATFORM");
    qunsetenv("DISPLAY");
    qunsetenv("WAYLAND_DISPLAY");
    const int status = RunCommand("preview", {etp});
    qputenv("QT_QPA_PLATFORM", platform);
    if (!display.isEmpty()) qputenv("DISPLAY", display);
    if (!wayland.isEmpty()) qputenv("WAYLAND_DISPLAY", wayland);
    EXPECT_EQ(status, 1);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
