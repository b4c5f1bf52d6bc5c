// The highlight and the frame and fill editors, driven offscreen: what their fields put in the
// selected objects, the refusal they show, and undo back to the same template.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>

#include "report/core/base/drawing_codes.h"
#include "report/core/designer/design_commands.h"
#include "report/core/designer/design_document.h"
#include "report/core/designer/font_edit.h"
#include "report/core/designer/frame_fill_edit.h"
#include "report/core/designer/highlight_edit.h"
#include "report/core/model/memo_view.h"
#include "report/core/model/model_state.h"
#include "report/core/model/page.h"
#include "report/ui/designer_colour_button.h"
#include "report/ui/designer_font_editor.h"
#include "report/ui/designer_font_style_boxes.h"
#include "report/ui/designer_frame_editor.h"
#include "report/ui/designer_highlight_editor.h"

namespace report {
namespace {

QApplication& App() {
    static int argc = 1;
    static char name[] = "designer_appearance_editors_test";
    static char* argv[] = {name, nullptr};
    // Never destroyed: font caches of other statics outlive it otherwise.
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

class AppearanceEditorsTest : public ::testing::Test {
  protected:
    AppearanceEditorsTest() : document(state) {
        App();
        state.printer.Start(nullptr);
        document.New();
        text = InsertObject(document, ObjectKind::Text, {10, 10, 80, 30});
        other = InsertObject(document, ObjectKind::Text, {10, 40, 80, 60});
        document.Commit();
        document.Select({text, other});
    }
    MemoView& Memo(size_t index) {
        return dynamic_cast<MemoView&>(document.CurrentPage().ObjectAt(index));
    }
    std::string Saved() const { return document.Serialize(TemplateForm::Binary); }

    ModelState state;
    DesignDocument document;
    size_t text = 0;
    size_t other = 0;
};

TEST_F(AppearanceEditorsTest, ConditionAndStyleLandInTheSelectedTextObjects) {
    const std::string before = Saved();
    DesignerHighlightEditor editor(document, *SelectedHighlight(document));
    editor.show();
    // A new highlight is bold: the stored default.
    EXPECT_TRUE(editor.StyleBox(font_style::kBold)->isChecked());
    editor.Condition()->setText(QStringLiteral("[Prix] > 100"));
    editor.StyleBox(font_style::kItalic)->setChecked(true);
    editor.StyleBox(font_style::kStrikeOut)->setChecked(true);
    editor.FontColour()->SetColour(0x0000FF);
    editor.FillColour()->SetColour(kNoColor);
    editor.accept();
    EXPECT_EQ(editor.result(), QDialog::Accepted);
    EXPECT_TRUE(editor.Changed());
    for (size_t index : {text, other}) {
        SCOPED_TRACE(index);
        const MemoView::Highlight& highlight = Memo(index).highlight;
        EXPECT_EQ(highlight.condition, "[Prix] > 100");
        EXPECT_EQ(highlight.fontStyle,
                  font_style::kBold | font_style::kItalic | font_style::kStrikeOut);
        EXPECT_EQ(highlight.fontColor, 0x0000FF);
        EXPECT_EQ(highlight.fillColor, kNoColor);
    }
    ASSERT_TRUE(document.Undo());
    EXPECT_TRUE(Saved() == before);
}

TEST_F(AppearanceEditorsTest, ARefusedConditionIsShownAndTheDialogStaysOpen) {
    const std::string before = Saved();
    DesignerHighlightEditor editor(document, *SelectedHighlight(document));
    editor.show();
    editor.Condition()->setText(QStringLiteral("[Prix] > "));
    editor.accept();
    EXPECT_TRUE(editor.isVisible());
    EXPECT_EQ(editor.Refusal(),
              QStringLiteral(
                  "Condition de surbrillance incorrecte : Opérande manquant dans l'expression"));
    EXPECT_FALSE(editor.Changed());
    EXPECT_TRUE(Saved() == before);
    // Mended, it goes through and the refusal goes away.
    editor.Condition()->setText(QStringLiteral("[Prix] > 5"));
    editor.accept();
    EXPECT_EQ(editor.Refusal(), QString());
    EXPECT_EQ(Memo(text).highlight.condition, "[Prix] > 5");
}

TEST_F(AppearanceEditorsTest, SidesWidthStyleAndColoursLandInTheSelectedObjects) {
    const std::string before = Saved();
    DesignerFrameEditor editor(document, *SelectedFrameAndFill(document));
    editor.show();
    const struct {
        uint16_t side;
        bool on;
    } sides[] = {{frame_side::kLeft, true},
                 {frame_side::kTop, false},
                 {frame_side::kRight, true},
                 {frame_side::kBottom, true}};
    for (const auto& side : sides)
        editor.SideBox(side.side)->setChecked(side.on);
    editor.Width()->setValue(3.5);
    editor.Style()->setCurrentIndex(static_cast<int>(FrameStyle::psDot));
    editor.FrameColour()->SetColour(0x00FF00);
    editor.FillColour()->SetColour(0xE0E0E0);
    editor.accept();
    EXPECT_EQ(editor.result(), QDialog::Accepted);
    EXPECT_TRUE(editor.Changed());
    const FrameAndFill expected{frame_side::kLeft | frame_side::kRight | frame_side::kBottom, 3.5f,
                                static_cast<uint16_t>(FrameStyle::psDot), 0x00FF00, 0xE0E0E0};
    for (size_t index : {text, other}) {
        SCOPED_TRACE(index);
        const View& view = document.CurrentPage().ObjectAt(index);
        EXPECT_EQ((FrameAndFill{view.frameTyp, view.frameWidth, view.frameStyle, view.frameColor,
                                view.fillColor}),
                  expected);
    }
    ASSERT_TRUE(document.Undo());
    EXPECT_TRUE(Saved() == before);
}

TEST_F(AppearanceEditorsTest, TheFrameEditorOpensOnWhatTheObjectHas) {
    // A width in thousandths, as templates may hold.
    const FrameAndFill held{frame_side::kTop | frame_side::kBottom, 0.125f,
                            static_cast<uint16_t>(FrameStyle::psDouble), 0x0000FF, kNoColor};
    ApplyFrameAndFill(document, held);
    DesignerFrameEditor editor(document, *SelectedFrameAndFill(document));
    EXPECT_EQ(editor.Frame(), held);
    EXPECT_EQ(editor.FillColour()->text(), QStringLiteral("Aucune"));
    // "OK" without a change leaves the history alone.
    editor.accept();
    EXPECT_FALSE(editor.Changed());
}

TEST_F(AppearanceEditorsTest, TheFontEditorSaysWhichFamilyAWindowsNamePrintsWith) {
    DesignerFontEditor editor(document, *SelectedFont(document));
    editor.show();
    const struct {
        QString typed, printedWith;
    } cases[] = {
        {QStringLiteral("Arial"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif")},
        {QStringLiteral("Courier New"), QStringLiteral("Liberation Mono")},
        {QStringLiteral("DejaVu Serif"), QStringLiteral("DejaVu Serif")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        editor.Family()->setText(c.typed);
        emit editor.Family()->textEdited(c.typed);
        EXPECT_EQ(editor.PrintedWith(), QStringLiteral("Imprimé avec : ") + c.printedWith);
    }
    // An installed family typed is found in fontconfig's list.
    ASSERT_NE(editor.Families()->currentItem(), nullptr);
    EXPECT_EQ(editor.Families()->currentItem()->text(), QStringLiteral("DejaVu Serif"));
    // The list holds names a template can store: no foundry in brackets, each once.
    QStringList listed;
    for (int row = 0; row < editor.Families()->count(); ++row)
        listed.append(editor.Families()->item(row)->text());
    EXPECT_FALSE(listed.isEmpty());
    EXPECT_EQ(listed.filter(QStringLiteral(" [")), QStringList());
    EXPECT_EQ(listed.removeDuplicates(), 0);
}

TEST_F(AppearanceEditorsTest, AFontChosenLandsInTheSelectedTextObjects) {
    const std::string before = Saved();
    const uint8_t charset = Memo(text).font.charset;
    DesignerFontEditor editor(document, *SelectedFont(document));
    editor.show();
    editor.Family()->setText(QString());
    editor.accept();
    EXPECT_EQ(editor.Refusal(), QStringLiteral("Le nom de la police est vide"));
    EXPECT_TRUE(Saved() == before);

    editor.Family()->setText(QStringLiteral("Courier New"));
    editor.Size()->setValue(12);
    editor.Styles()->Box(font_style::kBold)->setChecked(true);
    editor.Styles()->Box(font_style::kUnderline)->setChecked(true);
    editor.Colour()->SetColour(0x808000);
    editor.accept();
    EXPECT_EQ(editor.Refusal(), QString());
    EXPECT_TRUE(editor.Changed());
    for (size_t index : {text, other}) {
        SCOPED_TRACE(index);
        const Font& font = Memo(index).font;
        EXPECT_EQ(font.name, "Courier New");
        EXPECT_EQ(font.size, 12);
        EXPECT_EQ(font.style, font_style::kBold | font_style::kUnderline);
        EXPECT_EQ(font.color, 0x808000);
        EXPECT_EQ(font.charset, charset);
    }
    ASSERT_TRUE(document.Undo());
    EXPECT_TRUE(Saved() == before);
}

TEST(DesignerColourButton, KeepsTheTemplateColourAndConvertsQtsColours) {
    App();
    const struct {
        QColor qt;
        int32_t stored;
    } cases[] = {
        {QColor(255, 0, 0), 0x0000FF},
        {QColor(0, 128, 0), 0x008000},
        {QColor(0x12, 0x34, 0x56), 0x563412},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.qt.name().toStdString());
        EXPECT_EQ(TemplateColorOf(c.qt), c.stored);
    }
    // A system colour stays what it is until another is chosen.
    DesignerColourButton button(kButtonFaceColor, true);
    EXPECT_EQ(button.Colour(), kButtonFaceColor);
    button.SetColour(kNoColor);
    EXPECT_EQ(button.text(), QStringLiteral("Aucune"));
}

}  // namespace
}  // namespace report
