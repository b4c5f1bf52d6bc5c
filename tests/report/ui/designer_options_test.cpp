// The report options and page options dialogs, driven as a user would, on the virtual printer.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QSpinBox>

#include "report/core/base/errors.h"
#include "report/core/designer/design_document.h"
#include "report/core/designer/report_options.h"
#include "report/core/model/model_state.h"
#include "report/core/model/page.h"
#include "report/core/printer/paper_table.h"
#include "report/ui/designer_about.h"
#include "report/ui/designer_page_options.h"
#include "report/ui/designer_report_options.h"

namespace report {
namespace {

QApplication& App() {
    static int argc = 1;
    static char name[] = "designer_options_test";
    static char* argv[] = {name, nullptr};
    // Never destroyed: font caches of other statics outlive it otherwise.
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

class OptionsTest : public ::testing::Test {
  protected:
    OptionsTest() : document(state) {
        App();
        state.printer.Start(nullptr);
        document.New();
    }
    std::string Saved() const { return document.Serialize(TemplateForm::Binary); }

    ModelState state;
    DesignDocument document;
};

TEST_F(OptionsTest, TwoPassesLandInTheSavedTemplateAndUndoGivesTheSameBytesBack) {
    const std::string before = Saved();
    DesignerReportOptions dialog(document);
    ASSERT_FALSE(dialog.TwoPass()->isChecked());
    dialog.TwoPass()->setChecked(true);
    dialog.accept();
    ASSERT_EQ(dialog.result(), QDialog::Accepted) << dialog.Refusal().toStdString();
    EXPECT_TRUE(dialog.Changed());
    // The header's second word is TwoPass, after the version byte and IgnoreStoredPrinter.
    const std::string after = Saved();
    ASSERT_GT(after.size(), 5U);
    EXPECT_EQ(static_cast<unsigned char>(after[3]) | static_cast<unsigned char>(after[4]) << 8, 1);
    ASSERT_TRUE(document.Undo());
    EXPECT_EQ(Saved(), before);
    EXPECT_FALSE(document.CanUndo());
}

TEST_F(OptionsTest, UnchangedOptionsRecordNoStep) {
    DesignerReportOptions dialog(document);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.Changed());
    EXPECT_FALSE(document.CanUndo());
}

TEST_F(OptionsTest, APrinterOfTheListIsKeptAndOneThisMachineLacksIsRefused) {
    DesignerReportOptions dialog(document);
    ASSERT_GE(dialog.Printer()->count(), 2);
    const QString virtualPrinter = dialog.Printer()->itemData(1).toString();
    dialog.Printer()->setCurrentIndex(1);
    dialog.accept();
    ASSERT_EQ(dialog.result(), QDialog::Accepted) << dialog.Refusal().toStdString();
    EXPECT_EQ(QString::fromStdString(document.GetReport().printerName), virtualPrinter);

    const std::string before = Saved();
    ReportOptions options = ReadReportOptions(document.GetReport());
    options.printerName = "Imprimante absente";
    EXPECT_THROW(ApplyReportOptions(document, options), EngineError);
    EXPECT_EQ(Saved(), before);
}

TEST_F(OptionsTest, APaperOfTheListBringsItsSizeAndLandsOnThePageAsOneStep) {
    const std::string before = Saved();
    DesignerPageOptions dialog(document);
    // A5 (code 11) is on the virtual printer's list: its size comes from the paper table.
    const int a5 = dialog.Paper()->findData(11);
    ASSERT_GE(a5, 0);
    dialog.Paper()->setCurrentIndex(a5);
    EXPECT_DOUBLE_EQ(dialog.PaperWidth()->value(), 148.0);
    EXPECT_DOUBLE_EQ(dialog.PaperHeight()->value(), 210.0);
    EXPECT_FALSE(dialog.PaperWidth()->isEnabled());
    dialog.Orientation()->setCurrentIndex(1);
    // Turned, the paper shows its sizes the other way round.
    EXPECT_DOUBLE_EQ(dialog.PaperWidth()->value(), 210.0);
    EXPECT_DOUBLE_EQ(dialog.PaperHeight()->value(), 148.0);
    dialog.LeftMargin()->setValue(40);
    dialog.TopMargin()->setValue(30);
    dialog.RightMargin()->setValue(20);
    dialog.BottomMargin()->setValue(10);
    dialog.Columns()->setValue(2);
    dialog.ColumnGap()->setValue(15);
    dialog.accept();
    ASSERT_EQ(dialog.result(), QDialog::Accepted) << dialog.Refusal().toStdString();
    const Page& changed = document.CurrentPage();
    EXPECT_EQ(changed.size, 11);
    EXPECT_EQ(changed.orientation, 1);
    EXPECT_EQ(changed.leftMargin, 40);
    EXPECT_EQ(changed.topMargin, 30);
    EXPECT_EQ(changed.rightMargin, 20);
    EXPECT_EQ(changed.bottomMargin, 10);
    EXPECT_EQ(changed.columns, 2);
    EXPECT_EQ(changed.columnGap, 15);
    // Landscape: the page is wider than high.
    EXPECT_GT(changed.metrics.pageWidth, changed.metrics.pageHeight);
    ASSERT_TRUE(document.Undo());
    EXPECT_EQ(Saved(), before);
    EXPECT_FALSE(document.CanUndo());
}

TEST_F(OptionsTest, ACustomSizeIsTakenInMillimetres) {
    DesignerPageOptions dialog(document);
    dialog.Paper()->setCurrentIndex(dialog.Paper()->findData(kCustomPaperCode));
    ASSERT_TRUE(dialog.PaperWidth()->isEnabled());
    dialog.PaperWidth()->setValue(100.0);
    dialog.PaperHeight()->setValue(150.5);
    dialog.accept();
    ASSERT_EQ(dialog.result(), QDialog::Accepted) << dialog.Refusal().toStdString();
    EXPECT_EQ(document.CurrentPage().size, kCustomPaperCode);
    EXPECT_EQ(document.CurrentPage().width, 1000);
    EXPECT_EQ(document.CurrentPage().height, 1505);

    // Turned to landscape, the custom page keeps its sizes the way they were shown.
    DesignerPageOptions turned(document);
    EXPECT_DOUBLE_EQ(turned.PaperWidth()->value(), 100.0);
    turned.Orientation()->setCurrentIndex(1);
    turned.accept();
    ASSERT_EQ(turned.result(), QDialog::Accepted) << turned.Refusal().toStdString();
    EXPECT_EQ(document.CurrentPage().orientation, 1);
    EXPECT_EQ(document.CurrentPage().width, 1505);
    EXPECT_EQ(document.CurrentPage().height, 1000);
    EXPECT_GT(document.CurrentPage().metrics.pageWidth, document.CurrentPage().metrics.pageHeight);
}

TEST_F(OptionsTest, MarginsThatLeaveNoRoomAreRefusedAndThePageStaysAsItWas) {
    const std::string before = Saved();
    const int32_t width = document.CurrentPage().metrics.pageWidth;
    const int32_t height = document.CurrentPage().metrics.pageHeight;
    struct Case {
        const char* what;
        int left, top, right, bottom;
    };
    const std::vector<Case> cases = {
        {"left and right fill the width", width / 2, 0, width - width / 2, 0},
        {"top and bottom fill the height", 0, height, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DesignerPageOptions dialog(document);
        // The paper changes too, so that a refusal must also bring the paper back.
        dialog.Paper()->setCurrentIndex(dialog.Paper()->findData(11));
        dialog.LeftMargin()->setValue(c.left);
        dialog.TopMargin()->setValue(c.top);
        dialog.RightMargin()->setValue(c.right);
        dialog.BottomMargin()->setValue(c.bottom);
        dialog.accept();
        EXPECT_NE(dialog.result(), QDialog::Accepted);
        EXPECT_FALSE(dialog.Refusal().isEmpty());
        EXPECT_EQ(Saved(), before);
        EXPECT_FALSE(document.CanUndo());
    }
}

TEST(DesignerAboutTest, NamesTheDesignerAndTheProgramVersion) {
    App();
    DesignerAbout about;
    EXPECT_TRUE(about.text().contains(QStringLiteral("etat-concepteur")));
    EXPECT_TRUE(about.text().contains(QStringLiteral(EXPECTED_VERSION)));
    EXPECT_FALSE(about.informativeText().isEmpty());
}

}  // namespace
}  // namespace report
