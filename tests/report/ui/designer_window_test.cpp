#include "report/ui/designer_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMouseEvent>
#include <QProcess>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <string>

#include "report/core/base/text.h"
#include "report/core/base/whole_file.h"
#include "report/core/designer/sample_values.h"
#include "report/core/engine/engine.h"
#include "report/core/model/band_view.h"
#include "report/core/model/memo_view.h"
#include "report/core/model/page.h"
#include "report/ui/designer_band_editor.h"
#include "report/ui/designer_font_editor.h"
#include "report/ui/designer_format_editor.h"
#include "report/ui/designer_frame_editor.h"
#include "report/ui/designer_highlight_editor.h"
#include "report/ui/designer_inspector.h"
#include "report/ui/designer_page_view.h"
#include "report/ui/preview_window.h"
#include "tests/report/core/support/recording_dialogs.h"

namespace report {
namespace {

QApplication& App() {
    static int argc = 1;
    static char name[] = "designer_window_test";
    static char* argv[] = {name, nullptr};
    // Never destroyed: font caches of other statics outlive it otherwise.
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

QString Binary(const QString& path) {
    return qEnvironmentVariable("TOMBAGE_BINARY_DIR") + path;
}

QString Source(const QString& path) {
    return qEnvironmentVariable("TOMBAGE_SOURCE_DIR") + path;
}

QString ProgramTemplate() {
    return Binary(QStringLiteral("/tombage/Tombage.etf"));
}

// `etat build FILE --values VALUES --text`: the listing of the prepared pages.
QString BuildListing(const QString& file) {
    QProcess etat;
    etat.start(
        Binary(QStringLiteral("/tools/etat/etat")),
        {QStringLiteral("build"), file, QStringLiteral("--values"),
         Source(QStringLiteral("/res/readme/tirage-12-equipes.csv")), QStringLiteral("--text")});
    etat.waitForFinished(60000);
    return QString::fromUtf8(etat.readAllStandardOutput()) +
           QString::fromUtf8(etat.readAllStandardError());
}

class DesignerWindowTest : public ::testing::Test {
  protected:
    DesignerWindowTest() { window.show(); }

    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent press(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(&window.PageView(), &press);
        QApplication::processEvents();
    }
    void Click(const View& view, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        const QPointF at =
            window.PageView().ToWidget(view.left + view.width / 2, view.top + view.height / 2);
        QMouseEvent press(QEvent::MouseButtonPress, at, window.PageView().mapToGlobal(at),
                          Qt::LeftButton, Qt::LeftButton, modifiers);
        QApplication::sendEvent(&window.PageView(), &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, window.PageView().mapToGlobal(at),
                            Qt::LeftButton, Qt::NoButton, modifiers);
        QApplication::sendEvent(&window.PageView(), &release);
        QApplication::processEvents();
    }
    View& Object(const std::string& name) {
        return *window.Document().CurrentPage().FindObject(name);
    }
    // Types a value into the inspector's row of a property.
    void Type(const QString& property, const QString& value) {
        QTableWidget& table = window.Inspector().Table();
        for (int row = 0; row < table.rowCount(); ++row) {
            if (table.item(row, 0)->text() != property) continue;
            table.item(row, 1)->setText(value);
            QApplication::processEvents();
            return;
        }
        ADD_FAILURE() << "no row " << property.toStdString();
    }
    QString Shown(const QString& property) {
        QTableWidget& table = window.Inspector().Table();
        for (int row = 0; row < table.rowCount(); ++row)
            if (table.item(row, 0)->text() == property) return table.item(row, 1)->text();
        return QStringLiteral("(absent)");
    }

    QApplication& app = App();
    testing::RecordingDialogs dialogs;
    Engine engine{nullptr};
    DesignerWindow window{engine.Model(), engine.Core()};
    QTemporaryDir folder;
};

TEST_F(DesignerWindowTest, TheProgramsTemplateOpensPaintedAndSavesUnchanged) {
    ASSERT_TRUE(window.OpenFile(ProgramTemplate()));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Concepteur d'états - Tombage.etf"));
    EXPECT_TRUE(window.PageView().hasFocus() || QApplication::focusWidget() == nullptr);
    // Painting the page through the engine changes nothing of the template.
    const QImage painted = window.grab().toImage();
    EXPECT_FALSE(painted.isNull());
    const QString copy = folder.filePath(QStringLiteral("copie.etf"));
    ASSERT_TRUE(window.SaveFile(copy));
    EXPECT_TRUE(ReadWholeFile(copy.toStdString()) ==
                ReadWholeFile(ProgramTemplate().toStdString()));
    EXPECT_EQ(window.PageTabs().count(), 1);
    EXPECT_EQ(window.PageTabs().accessibleTabName(0), QStringLiteral("Page : Page1"));
}

TEST_F(DesignerWindowTest, ATitleChangedInTheInspectorIsSavedAndBuilt) {
    ASSERT_TRUE(window.OpenFile(ProgramTemplate()));
    Click(Object("MemoTitre"));
    ASSERT_EQ(window.Document().SelectedViews().size(), 1u);
    EXPECT_EQ(window.statusBar()->currentMessage(), QStringLiteral("MemoTitre : Texte"));
    EXPECT_EQ(Shown(QStringLiteral("Memo")), QStringLiteral("Tirage au sort des rencontres"));
    Type(QStringLiteral("Memo"), QStringLiteral("Coupe d'été : tirage des rencontres"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Concepteur d'états - Tombage.etf*"));
    const QString saved = folder.filePath(QStringLiteral("coupe.etf"));
    ASSERT_TRUE(window.SaveFile(saved));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Concepteur d'états - coupe.etf"));
    const QString listing = BuildListing(saved);
    EXPECT_TRUE(listing.contains(QStringLiteral("Coupe d'été : tirage des rencontres")))
        << listing.toStdString();
    EXPECT_FALSE(listing.contains(QStringLiteral("Tirage au sort des rencontres")));
}

TEST_F(DesignerWindowTest, AValueTheInspectorRefusesIsNotStored) {
    ASSERT_TRUE(window.OpenFile(ProgramTemplate()));
    Click(Object("MemoTitre"));
    const int32_t width = Object("MemoTitre").width;
    Type(QStringLiteral("Width"), QStringLiteral("large"));
    EXPECT_EQ(Object("MemoTitre").width, width);
    EXPECT_TRUE(window.Inspector().Message().contains(QStringLiteral("virgule flottante")));
    EXPECT_FALSE(window.Document().Modified());
    QApplication::processEvents();
    EXPECT_NE(Shown(QStringLiteral("Width")), QStringLiteral("large"));
}

TEST_F(DesignerWindowTest, TheKeyboardSelectsMovesResizesDeletesAndUndoes) {
    ASSERT_TRUE(window.OpenFile(ProgramTemplate()));
    const std::string opened = window.Document().Serialize(TemplateForm::Binary);
    Key(Qt::Key_Tab);
    ASSERT_EQ(window.Document().Selection(), std::vector<size_t>{0});
    Key(Qt::Key_Tab);
    Key(Qt::Key_Backtab);
    EXPECT_EQ(window.Document().Selection(), std::vector<size_t>{0});
    Key(Qt::Key_Tab);  // MemoTitre, at 38,40
    View& title = Object("MemoTitre");
    EXPECT_EQ(window.Document().SelectedViews().front(), &title);
    const struct {
        int key;
        Qt::KeyboardModifiers modifiers;
        int32_t left, top, width;
    } steps[] = {
        {Qt::Key_Right, Qt::NoModifier, 48, 40, 682},  // a grid step, onto the grid of 8
        {Qt::Key_Right, Qt::NoModifier, 56, 40, 682},
        {Qt::Key_Down, Qt::ControlModifier, 56, 41, 682},  // one pixel
        {Qt::Key_Left, Qt::ShiftModifier, 56, 41, 674},    // narrower by a grid step
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.key);
        Key(s.key, s.modifiers);
        EXPECT_EQ(title.left, s.left);
        EXPECT_EQ(title.top, s.top);
        EXPECT_EQ(title.width, s.width);
    }
    Key(Qt::Key_Delete);
    EXPECT_EQ(window.Document().CurrentPage().FindObject("MemoTitre"), nullptr);
    for (int i = 0; i < 5; ++i)
        window.Document().Undo();
    EXPECT_TRUE(window.Document().Serialize(TemplateForm::Binary) == opened);
    // A kind chosen, Enter inserts it without the mouse.
    const size_t count = window.Document().CurrentPage().ObjectCount();
    window.PageView().SetInsertKind(ObjectKind::Line);
    Key(Qt::Key_Return);
    EXPECT_EQ(window.Document().CurrentPage().ObjectCount(), count + 1);
    EXPECT_EQ(window.statusBar()->currentMessage(), QStringLiteral("Line1 : Ligne"));
    EXPECT_FALSE(window.PageView().InsertKind().has_value());
}

TEST_F(DesignerWindowTest, EnterOrADoubleClickOnABandOpensTheBandEditor) {
    ASSERT_TRUE(window.OpenFile(ProgramTemplate()));
    const std::string opened = window.Document().Serialize(TemplateForm::Binary);
    size_t bandIndex = 0;
    const auto band = [&]() -> BandView& {
        // Undo rebuilds the report's objects: the band is looked up each time.
        return dynamic_cast<BandView&>(window.Document().CurrentPage().ObjectAt(bandIndex));
    };
    const Page& page = window.Document().CurrentPage();
    while (bandIndex < page.ObjectCount() &&
           dynamic_cast<const BandView*>(&page.ObjectAt(bandIndex)) == nullptr)
        ++bandIndex;
    ASSERT_LT(bandIndex, page.ObjectCount());
    const uint16_t flags = band().flags;
    const std::function<void()> opens[] = {
        [&] { Key(Qt::Key_Return); },
        [&] {
            const QPointF at = window.PageView().ToWidget(band().left + band().width / 2,
                                                          band().top + band().height / 2);
            QMouseEvent click(QEvent::MouseButtonDblClick, at, window.PageView().mapToGlobal(at),
                              Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(&window.PageView(), &click);
        },
    };
    for (size_t way = 0; way < std::size(opens); ++way) {
        SCOPED_TRACE(way == 0 ? "Entrée" : "double clic");
        window.Document().Select({bandIndex});
        bool shown = false;
        window.onBandEditorShown = [&](DesignerBandEditor& editor) {
            shown = true;
            editor.FlagBox("FormNewPage")->toggle();
            editor.accept();
        };
        opens[way]();
        EXPECT_TRUE(shown);
        EXPECT_EQ(band().flags, flags ^ view_flag::kFormNewPage);
        EXPECT_TRUE(window.windowTitle().endsWith(QLatin1Char('*')));
        ASSERT_TRUE(window.Document().Undo());
        EXPECT_TRUE(window.Document().Serialize(TemplateForm::Binary) == opened);
    }
}

TEST_F(DesignerWindowTest, TheDisplayFormatGoesToTheSelectedTextObjectsAsOneStep) {
    ASSERT_TRUE(window.OpenFile(ProgramTemplate()));
    const std::string opened = window.Document().Serialize(TemplateForm::Binary);
    QAction* action = nullptr;
    for (QAction* menu : window.menuBar()->actions())
        for (QAction* item : menu->menu()->actions())
            if (item->text() == QStringLiteral("&Format d'affichage…")) action = item;
    ASSERT_NE(action, nullptr);
    const Page& page = window.Document().CurrentPage();
    size_t date = 0;
    while (date < page.ObjectCount() && page.ObjectAt(date).name != "MemoDate")
        ++date;
    ASSERT_LT(date, page.ObjectCount());
    window.Document().Select({date});
    bool shown = false;
    window.onFormatEditorShown = [&](DesignerFormatEditor& editor) {
        shown = true;
        editor.Categories()->setCurrentRow(format_category::kDate);
        editor.Kinds()->setCurrentRow(3);
        editor.accept();
    };
    action->trigger();
    EXPECT_TRUE(shown);
    const View& memo = *window.Document().CurrentPage().FindObject("MemoDate");
    EXPECT_EQ(FormatCategory(memo.formatCode), format_category::kDate);
    EXPECT_EQ(FormatVariant(memo.formatCode), 3);
    EXPECT_TRUE(window.windowTitle().endsWith(QLatin1Char('*')));
    ASSERT_TRUE(window.Document().Undo());
    EXPECT_TRUE(window.Document().Serialize(TemplateForm::Binary) == opened);
}

// The object menu's entries that open an editor on the selected objects, by their text.
QAction* ObjectMenuItem(DesignerWindow& window, const QString& text) {
    for (QAction* menu : window.menuBar()->actions())
        for (QAction* item : menu->menu()->actions())
            if (item->text() == text) return item;
    return nullptr;
}

TEST_F(DesignerWindowTest, TheHighlightGoesToTheSelectedTextObjectAsOneStep) {
    ASSERT_TRUE(window.OpenFile(ProgramTemplate()));
    const std::string opened = window.Document().Serialize(TemplateForm::Binary);
    QAction* action = ObjectMenuItem(window, QStringLiteral("&Surbrillance…"));
    ASSERT_NE(action, nullptr);
    const Page& page = window.Document().CurrentPage();
    size_t date = 0;
    while (date < page.ObjectCount() && page.ObjectAt(date).name != "MemoDate")
        ++date;
    ASSERT_LT(date, page.ObjectCount());
    window.Document().Select({date});
    bool shown = false;
    window.onHighlightEditorShown = [&](DesignerHighlightEditor& editor) {
        shown = true;
        editor.Condition()->setText(QStringLiteral("[PAGE#] > 1"));
        editor.StyleBox(font_style::kUnderline)->setChecked(true);
        editor.accept();
    };
    action->trigger();
    EXPECT_TRUE(shown);
    const auto& memo =
        dynamic_cast<const MemoView&>(*window.Document().CurrentPage().FindObject("MemoDate"));
    EXPECT_EQ(memo.highlight.condition, "[PAGE#] > 1");
    EXPECT_EQ(memo.highlight.fontStyle, font_style::kBold | font_style::kUnderline);
    EXPECT_TRUE(window.windowTitle().endsWith(QLatin1Char('*')));
    ASSERT_TRUE(window.Document().Undo());
    EXPECT_TRUE(window.Document().Serialize(TemplateForm::Binary) == opened);
}

TEST_F(DesignerWindowTest, TheFrameAndFillGoToTheSelectedObjectAsOneStep) {
    ASSERT_TRUE(window.OpenFile(ProgramTemplate()));
    const std::string opened = window.Document().Serialize(TemplateForm::Binary);
    QAction* action = ObjectMenuItem(window, QStringLiteral("&Cadre et fond…"));
    ASSERT_NE(action, nullptr);
    const Page& page = window.Document().CurrentPage();
    size_t date = 0;
    while (date < page.ObjectCount() && page.ObjectAt(date).name != "MemoDate")
        ++date;
    ASSERT_LT(date, page.ObjectCount());
    window.Document().Select({date});
    bool shown = false;
    window.onFrameEditorShown = [&](DesignerFrameEditor& editor) {
        shown = true;
        editor.SideBox(frame_side::kBottom)->setChecked(true);
        editor.Width()->setValue(2);
        editor.accept();
    };
    action->trigger();
    EXPECT_TRUE(shown);
    const View& memo = *window.Document().CurrentPage().FindObject("MemoDate");
    EXPECT_NE(memo.frameTyp & frame_side::kBottom, 0);
    EXPECT_EQ(memo.frameWidth, 2.0f);
    EXPECT_TRUE(window.windowTitle().endsWith(QLatin1Char('*')));
    ASSERT_TRUE(window.Document().Undo());
    EXPECT_TRUE(window.Document().Serialize(TemplateForm::Binary) == opened);
}

TEST_F(DesignerWindowTest, TheFontGoesToTheSelectedTextObjectAsOneStep) {
    ASSERT_TRUE(window.OpenFile(ProgramTemplate()));
    const std::string opened = window.Document().Serialize(TemplateForm::Binary);
    QAction* action = ObjectMenuItem(window, QStringLiteral("P&olice…"));
    ASSERT_NE(action, nullptr);
    const Page& page = window.Document().CurrentPage();
    size_t date = 0;
    while (date < page.ObjectCount() && page.ObjectAt(date).name != "MemoDate")
        ++date;
    ASSERT_LT(date, page.ObjectCount());
    window.Document().Select({date});
    bool shown = false;
    window.onFontEditorShown = [&](DesignerFontEditor& editor) {
        shown = true;
        editor.Family()->setText(QStringLiteral("Times New Roman"));
        editor.Size()->setValue(16);
        editor.accept();
    };
    action->trigger();
    EXPECT_TRUE(shown);
    const auto& memo =
        dynamic_cast<const MemoView&>(*window.Document().CurrentPage().FindObject("MemoDate"));
    EXPECT_EQ(memo.font.name, "Times New Roman");
    EXPECT_EQ(memo.font.size, 16);
    EXPECT_TRUE(window.windowTitle().endsWith(QLatin1Char('*')));
    ASSERT_TRUE(window.Document().Undo());
    EXPECT_TRUE(window.Document().Serialize(TemplateForm::Binary) == opened);
}

TEST_F(DesignerWindowTest, ABuildErrorSelectsTheObjectItNames) {
    ASSERT_TRUE(window.OpenFile(ProgramTemplate()));
    // Without values, the date of the title is an unknown name.
    EXPECT_FALSE(window.Preview());
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_NE(dialogs.boxes[0].text.find("MemoDate"), std::string::npos);
    ASSERT_EQ(window.Document().SelectedViews().size(), 1u);
    EXPECT_EQ(window.Document().SelectedViews().front()->name, "MemoDate");
    EXPECT_FALSE(window.Document().Modified());
}

TEST_F(DesignerWindowTest, ThePreviewShowsTheTemplateBuiltOnSampleValues) {
    ASSERT_TRUE(window.OpenFile(ProgramTemplate()));
    window.SetSampleValues(
        ReadSampleValues(Source(QStringLiteral("/res/readme/tirage-12-equipes.csv")).toStdString()),
        -1);
    int pages = 0;
    window.onPreviewShown = [&](PreviewWindow& preview) {
        pages = preview.Controller().PageCount();
        preview.close();
    };
    EXPECT_TRUE(window.Preview());
    EXPECT_GT(pages, 0);
    EXPECT_TRUE(dialogs.boxes.empty());
    EXPECT_FALSE(window.Document().Modified()) << "the build works on a copy";
}

}  // namespace
}  // namespace report
