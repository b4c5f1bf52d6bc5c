// The preview window on the offscreen platform: it opens prepared pages, searches, saves,
// reloads and exports a PDF, and answers the keyboard.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMouseEvent>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>
#include <functional>
#include <vector>

#include "report/core/prepared/prepared_pages.h"
#include "report/ui/preview_page_box.h"
#include "report/ui/preview_thumbnails.h"
#include "report/ui/preview_window.h"
#include "tests/report/core/output/preview_pages_fixture.h"

namespace report {
namespace {

QApplication& App() {
    static int argc = 1;
    static char name[] = "preview_window_test";
    static char* argv[] = {name, nullptr};
    // Never destroyed: font caches of other statics outlive it otherwise.
    static QApplication* app = new QApplication(argc, argv);
    QStandardPaths::setTestModeEnabled(true);  // placements go to a test folder
    return *app;
}

class PreviewWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        App();
        window = std::make_unique<PreviewWindow>(nullptr, zoom);
        window->resize(900, 700);
        window->AttachPages(*bench.report,
                            bench.Pages({{"Premi\xE8re page"}, {"Arbitre"}, {"\xC9quipe B"}}),
                            false);
        window->show();
        QApplication::processEvents();
    }

    void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent event(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(window.get(), &event);
    }

    preview_test::PreviewPages bench;
    ZoomMemory zoom;
    std::unique_ptr<PreviewWindow> window;
};

QToolButton* ButtonNamed(PreviewWindow& window, const QString& name) {
    for (QToolButton* b : window.Toolbar().findChildren<QToolButton*>())
        if (b->accessibleName() == name) return b;
    return nullptr;
}

TEST_F(PreviewWindowTest, OpensOnPageOneWithItsToolbar) {
    EXPECT_EQ(window->PageLabelText(), "Page 1/3");
    EXPECT_EQ(window->windowTitle(), QString::fromUtf8("Prévisualiser"));
    QToolButton* print = ButtonNamed(*window, "Imprimer un état");
    ASSERT_NE(print, nullptr);
    EXPECT_FALSE(print->isEnabled());  // no printer on this platform
    QToolButton* setup = ButtonNamed(*window, "Mise en page");
    ASSERT_NE(setup, nullptr);
    EXPECT_FALSE(setup->isVisible());  // pbPageSetup is not in PreviewButtons
    ASSERT_NE(ButtonNamed(*window, "Exporter en PDF"), nullptr);
    QToolButton* zoomButton = ButtonNamed(*window, "Echelle");
    ASSERT_NE(zoomButton, nullptr);
    EXPECT_EQ(zoomButton->text(), "100%");
}

TEST_F(PreviewWindowTest, KeysMoveThroughThePages) {
    Press(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(window->PageLabelText(), "Page 3/3");
    Press(Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(window->PageLabelText(), "Page 2/3");
    Press(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(window->PageLabelText(), "Page 1/3");
}

TEST_F(PreviewWindowTest, SearchesSavesReloadsAndExports) {
    window->Search("\xE9quipe", false, true);
    EXPECT_EQ(window->PageLabelText(), "Page 3/3");
    EXPECT_TRUE(window->Controller().HitOnScreen().has_value());
    window->PageBox().repaint();  // paints the outline without failing

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    window->Save(dir.filePath("tirage.pdf"));
    ASSERT_TRUE(QFile::exists(dir.filePath("tirage.etp")));
    window->Load(dir.filePath("tirage.etp"));
    EXPECT_EQ(window->PageLabelText(), "Page 1/3");
    window->Search("arbitre", false, true);
    EXPECT_EQ(window->PageLabelText(), "Page 2/3");

    window->ExportPdf(dir.filePath("tirage"));
    QFile pdf(dir.filePath("tirage.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") +
                  bytes.count("/Type /Page>>") + bytes.count("/Type /Page "),
              3);
}

TEST_F(PreviewWindowTest, ThumbnailsAreDrawnOnlyWhenAskedFor) {
    auto* model = window->findChild<PreviewThumbnails*>();
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(model->RenderedCount(), 0);
    window->SetThumbnailsVisible(true);
    QApplication::processEvents();
    window->repaint();
    EXPECT_GT(model->RenderedCount(), 0);
}

TEST_F(PreviewWindowTest, ZoomMenuChangesTheZoomOfTheNextPreview) {
    window->ChooseZoom(50);
    EXPECT_EQ(ButtonNamed(*window, "Echelle")->text(), "50%");
    EXPECT_DOUBLE_EQ(zoom.lastZoom, 0.5);
}

TEST_F(PreviewWindowTest, RightButtonPopsTheZoomMenuUpAtTheMouse) {
    auto* box = window->findChild<PreviewPageBox*>();
    ASSERT_NE(box, nullptr);
    const QPointF at(40, 30);
    QMouseEvent press(QEvent::MouseButtonPress, at, box->mapToGlobal(at), Qt::RightButton,
                      Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(box, &press);
    QApplication::processEvents();
    QMenu* menu = nullptr;
    for (QMenu* m : window->findChildren<QMenu*>())
        if (m->isVisible()) menu = m;
    ASSERT_NE(menu, nullptr);
    EXPECT_FALSE(menu->actions().isEmpty());
    menu->close();
}

}  // namespace
}  // namespace report

namespace report {
namespace {

// The help cursor is the whole program's: it goes with help mode however that ends.
TEST_F(PreviewWindowTest, HelpModeEndsWithTheWindowOrEscape) {
    struct Case {
        const char* name;
        std::function<void()> end;
        bool stillOpen;
    };
    const std::vector<Case> cases{
        {"Escape", [this] { Press(Qt::Key_Escape); }, true},
        {"the window closed", [this] { window->close(); }, false},
        {"the window accepted", [this] { window->accept(); }, false},
        {"the window destroyed", [this] { window.reset(); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        window->EnterHelpMode();
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        c.end();
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        if (window) {
            EXPECT_EQ(window->isVisible(), c.stillOpen);
        }
    }
}

// A screen reader hears what the page label and the zoom button show.
TEST_F(PreviewWindowTest, TheLabelAndTheZoomButtonExposeWhatTheyShow) {
    QLabel* label = nullptr;
    for (QLabel* l : window->findChildren<QLabel*>())
        if (l->text() == window->PageLabelText()) label = l;
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->accessibleName(), "Page 1/3");
    Press(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(label->accessibleName(), "Page 3/3");
    EXPECT_EQ(window->PageBox().accessibleDescription(), "Page 3/3");
    const QAbstractItemModel* thumbnails = window->findChild<QListView*>()->model();
    EXPECT_EQ(thumbnails->data(thumbnails->index(1, 0), Qt::AccessibleTextRole).toString(),
              "Page 2");
    QToolButton* zoomButton = ButtonNamed(*window, "Echelle");
    ASSERT_NE(zoomButton, nullptr);
    EXPECT_EQ(zoomButton->accessibleDescription(), "100%");
    window->ChooseZoom(50);
    EXPECT_EQ(zoomButton->accessibleDescription(), "50%");
}

}  // namespace
}  // namespace report
