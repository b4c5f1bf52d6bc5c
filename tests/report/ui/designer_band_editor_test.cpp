#include "report/ui/designer_band_editor.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTabWidget>

#include "report/core/base/band_type.h"
#include "report/core/designer/design_commands.h"
#include "report/core/designer/design_document.h"
#include "report/core/model/band_view.h"
#include "report/core/model/model_state.h"
#include "report/core/model/page.h"
#include "report/qt/qt_text.h"

namespace report {
namespace {

QApplication& App() {
    static int argc = 1;
    static char name[] = "designer_band_editor_test";
    static char* argv[] = {name, nullptr};
    // Never destroyed: font caches of other statics outlive it otherwise.
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

class BandEditorTest : public ::testing::Test {
  protected:
    BandEditorTest() : document(state) {
        App();
        state.printer.Start(nullptr);
        document.New();
        titleIndex = InsertObject(document, ObjectKind::Band, {0, 0, 0, 30}, BandType::ReportTitle);
        masterIndex =
            InsertObject(document, ObjectKind::Band, {0, 100, 0, 130}, BandType::MasterData);
        groupIndex =
            InsertObject(document, ObjectKind::Band, {0, 40, 0, 60}, BandType::GroupHeader);
        document.Commit();
    }
    BandView& Band(size_t index) {
        return dynamic_cast<BandView&>(document.CurrentPage().ObjectAt(index));
    }
    std::string Saved() const { return document.Serialize(TemplateForm::Json); }

    ModelState state;
    DesignDocument document;
    size_t titleIndex = 0;
    size_t masterIndex = 0;
    size_t groupIndex = 0;
};

TEST_F(BandEditorTest, AFlagCheckedLandsInItsBitAndUndoBringsTheTemplateBack) {
    const std::vector<std::pair<std::string, uint16_t>> cases = {
        {"FormNewPage", view_flag::kFormNewPage},
        {"PrintIfSubsetEmpty", view_flag::kPrintIfSubsetEmpty},
        {"Breaked", view_flag::kBreaked},
        {"OnFirstPage", view_flag::kOnFirstPage},
        {"OnLastPage", view_flag::kOnLastPage},
        {"RepeatHeader", view_flag::kRepeatHeader},
        {"PrintChildIfInvisible", view_flag::kPrintChildIfInvisible},
    };
    for (const auto& [name, bit] : cases) {
        SCOPED_TRACE(name);
        const std::string before = Saved();
        const uint16_t flags = Band(masterIndex).flags;
        DesignerBandEditor editor(document, Band(masterIndex), {"userDataset1"});
        QCheckBox* box = editor.FlagBox(name);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->isChecked(), (flags & bit) != 0);
        box->setChecked(!box->isChecked());
        editor.accept();
        ASSERT_EQ(editor.result(), QDialog::Accepted) << editor.Refusal().toStdString();
        EXPECT_TRUE(editor.Changed());
        EXPECT_EQ(Band(masterIndex).flags, flags ^ bit);
        ASSERT_TRUE(document.Undo());
        EXPECT_EQ(Saved(), before);
    }
    DesignerBandEditor editor(document, Band(masterIndex), {});
    EXPECT_EQ(editor.FlagBox("Stretched"), nullptr);
}

TEST_F(BandEditorTest, EveryFieldIsOneStepThatUndoTakesBackWhole) {
    const std::string before = Saved();
    const std::string child = Band(titleIndex).name;
    {
        DesignerBandEditor editor(document, Band(masterIndex), {"userDataset1"});
        // A data band offers the sources; a record count may be typed instead.
        EXPECT_GE(editor.DataSource()->findText(QStringLiteral("userDataset1")), 0);
        EXPECT_EQ(editor.Condition(), nullptr);
        editor.DataSource()->setCurrentText(QStringLiteral("5"));
        editor.ChildBand()->setCurrentIndex(editor.ChildBand()->findText(ToQString(child)));
        editor.Columns()->setValue(3);
        editor.ColumnWidth()->setValue(150);
        editor.ColumnGap()->setValue(10);
        editor.ScriptEdit()->setPlainText(QStringLiteral("begin\n  Visible := 1;\nend"));
        editor.accept();
        ASSERT_EQ(editor.result(), QDialog::Accepted) << editor.Refusal().toStdString();
    }
    const BandView& band = Band(masterIndex);
    EXPECT_EQ(band.formatPattern, "5");
    EXPECT_EQ(band.childBand, child);
    EXPECT_EQ(band.columns, 3);
    EXPECT_EQ(band.columnWidth, 150);
    EXPECT_EQ(band.columnGap, 10);
    EXPECT_EQ(band.memo, (std::vector<std::string>{"begin", "  Visible := 1;", "end"}));
    ASSERT_TRUE(document.Undo());
    EXPECT_EQ(Saved(), before);

    // The editor opens on what the band holds, and an untouched "OK" changes nothing.
    ASSERT_TRUE(document.Redo());
    DesignerBandEditor again(document, Band(masterIndex), {"userDataset1"});
    EXPECT_EQ(again.DataSource()->currentText(), QStringLiteral("5"));
    EXPECT_EQ(again.ChildBand()->currentText(), ToQString(child));
    EXPECT_EQ(again.Columns()->value(), 3);
    again.accept();
    EXPECT_EQ(again.result(), QDialog::Accepted);
    EXPECT_FALSE(again.Changed());
}

TEST_F(BandEditorTest, AWrongGroupConditionIsRefusedWithItsMessageAndTheDialogStaysOpen) {
    const std::string master = Band(masterIndex).name;
    const struct {
        QString condition;
        QString refusal;
    } cases[] = {
        {QStringLiteral("(a"),
         QStringLiteral("Condition de groupe incorrecte : Parenthèse manquante dans l'expression")},
        {QStringLiteral("   "), QStringLiteral("La condition du groupe est vide")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.condition.toStdString());
        const std::string before = Saved();
        DesignerBandEditor editor(document, Band(groupIndex), {"userDataset1"});
        editor.show();
        // A group header has the condition instead of the data source; masters are data bands.
        ASSERT_NE(editor.Condition(), nullptr);
        EXPECT_EQ(editor.DataSource(), nullptr);
        EXPECT_EQ(editor.Master()->count(), 2);
        editor.Master()->setCurrentIndex(editor.Master()->findText(ToQString(master)));
        editor.Condition()->setText(c.condition);
        editor.accept();
        EXPECT_NE(editor.result(), QDialog::Accepted);
        EXPECT_TRUE(editor.isVisible());
        EXPECT_EQ(editor.Refusal(), c.refusal);
        EXPECT_EQ(Saved(), before);

        editor.Condition()->setText(QStringLiteral("[Equipes.\"Poule\"]"));
        editor.accept();
        ASSERT_EQ(editor.result(), QDialog::Accepted) << editor.Refusal().toStdString();
        EXPECT_EQ(Band(groupIndex).formatPattern, "[Equipes.\"Poule\"]");
        EXPECT_EQ(Band(groupIndex).master, master);
        ASSERT_TRUE(document.Undo());
        EXPECT_EQ(Saved(), before);
    }
}

TEST_F(BandEditorTest, AScriptThatDoesNotCompileIsShownInItsTab) {
    const std::string before = Saved();
    DesignerBandEditor editor(document, Band(masterIndex), {"userDataset1"});
    editor.show();
    editor.ScriptEdit()->setPlainText(QStringLiteral("begin\n  a := 1\n  b := 2\nend"));
    editor.accept();
    EXPECT_NE(editor.result(), QDialog::Accepted);
    EXPECT_TRUE(editor.Refusal().startsWith(QStringLiteral("Line 3/")))
        << editor.Refusal().toStdString();
    EXPECT_EQ(editor.Tabs()->currentIndex(), 1);
    EXPECT_EQ(Saved(), before);
}

}  // namespace
}  // namespace report
