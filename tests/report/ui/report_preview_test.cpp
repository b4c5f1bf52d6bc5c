// Showing and printing a report on the offscreen platform: the program's template built over a
// user data source opens in the preview, whose pages hold the records' texts, and prints into a
// PDF printer through the print dialog, with and without the progress window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <string>
#include <vector>

#include "report/core/base/dialogs.h"
#include "report/core/data/dataset.h"
#include "report/core/engine/engine.h"
#include "report/core/file/template_file.h"
#include "report/core/model/report.h"
#include "report/core/output/print_options.h"
#include "report/core/prepared/prepared_pages.h"
#include "report/core/value/date_time.h"
#include "report/qt/qt_print_service.h"
#include "report/ui/preview_window.h"
#include "report/ui/print_dialog.h"
#include "report/ui/report_preview.h"

namespace report {
namespace {

QApplication& App() {
    static int argc = 1;
    static char name[] = "report_preview_test";
    static char* argv[] = {name, nullptr};
    // Never destroyed: font caches of other statics outlive it otherwise.
    static QApplication* app = new QApplication(argc, argv);
    QStandardPaths::setTestModeEnabled(true);  // placements go to a test folder
    return *app;
}

std::string TemplatePath() {
    return qEnvironmentVariable("TOMBAGE_BINARY_DIR").toStdString() + "/tombage/Tombage.etf";
}

// Pages in a PDF file, counted by their page objects.
int PdfPageCount(const QString& path) {
    QFile pdf(path);
    if (!pdf.open(QIODevice::ReadOnly)) return -1;
    const QByteArray bytes = pdf.readAll();
    if (!bytes.startsWith("%PDF")) return -1;
    return static_cast<int>(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") +
                            bytes.count("/Type /Page>>") + bytes.count("/Type /Page "));
}

class ReportPreviewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        InstallDialogs(&silent);
        dataset.rangeEnd = RangeEnd::reCount;
        dataset.rangeEndCount = static_cast<int>(teams.size());
        form.Add(dataset);
        report.SetOwnerForm(&form);
        report.dataset = &dataset;
        report.onGetValue = [this](const std::string& name, Variant& value) {
            const size_t record = static_cast<size_t>(std::max(dataset.RecordNo(), 0));
            if (name == "joueur1") value = Variant::String(teams[record % teams.size()]);
            if (name == "joueur2") value = Variant::String("");
            if (name == "Num") value = Variant::String(std::to_string(record + 1));
            if (name == "Date1" || name == "Heure1")
                value = Variant::DateTime(EncodeDate(2024, 3, 9) + EncodeTime(14, 30, 0, 0));
        };
        ASSERT_TRUE(LoadTemplateFile(report, TemplatePath())) << TemplatePath();
        ASSERT_TRUE(dir.isValid());
        service.CurrentPrinter().setOutputFileName(dir.filePath("tirage.pdf"));
    }
    void TearDown() override { InstallDialogs(nullptr); }

    QApplication& app = App();  // before the printer
    SilentDialogs silent;
    QtPrintService service{{QStringLiteral("PDF")}};
    Engine engine{&service};
    Report report{engine.Model()};
    ComponentOwner form;
    UserDataset dataset{"userDataset1"};
    std::vector<std::string> teams{"Nantes", "Lyon", "Brest", "Saint-\xC9tienne", "Rennes"};
    QTemporaryDir dir;
};

TEST_F(ReportPreviewTest, OpensThePreviewOnTheBuiltPagesAndPrintsThem) {
    struct Case {
        bool showProgress;
        std::string search;
    };
    for (const Case& c : {Case{false, "Brest"}, Case{true, "saint-\xC9tienne"}}) {
        SCOPED_TRACE(c.showProgress);
        report.showProgress = c.showProgress;
        QFile::remove(dir.filePath("tirage.pdf"));
        ReportPreview preview(report, engine.Core());
        EXPECT_TRUE(preview.PrinterAvailable());
        int pages = 0;
        bool found = false;
        QString label;
        preview.onShown = [&](PreviewWindow& window) {
            pages = window.Controller().PageCount();
            found = window.Controller().StartSearch(c.search, false, true) == SearchOutcome::Found;
            label = window.PageLabelText();
            // The print button: the dialog, accepted as it opens, prints every page.
            QTimer::singleShot(0, [] {
                if (auto* dialog = dynamic_cast<PrintDialog*>(QApplication::activeModalWidget()))
                    dialog->accept();
            });
            preview.Print(window);
            EXPECT_TRUE(window.Controller().HasPages());  // back in the preview after the print
            window.accept();
        };
        EXPECT_TRUE(preview.PreviewReport());
        EXPECT_EQ(pages, 1);
        EXPECT_TRUE(found);
        EXPECT_EQ(label, QStringLiteral("Page 1/1"));
        EXPECT_EQ(PdfPageCount(dir.filePath("tirage.pdf")), 1);
    }
}

TEST_F(ReportPreviewTest, PrintPreparedFollowsThePageListAndTheCopies) {
    report.showProgress = false;
    ReportPreview preview(report, engine.Core());
    std::unique_ptr<PreparedPages> pages = preview.BuildReport();
    ASSERT_NE(pages, nullptr);
    ASSERT_EQ(pages->PageCount(), 1);
    struct Case {
        std::string list;
        int copies;
        bool collate;
        int sheets;  // in the PDF; uncollated copies are the printer's, not the file's
    };
    // Collated copies are repeated by the job, in one document.
    for (const Case& c : {Case{"", 1, true, 1}, Case{"1", 0, true, 1}, Case{"1-", 2, false, 1},
                          Case{"", 3, true, 3}}) {
        SCOPED_TRACE(c.list + " x" + std::to_string(c.copies));
        QFile::remove(dir.filePath("tirage.pdf"));
        PrintOptions options;
        options.pageList = c.list;
        options.copies = c.copies;
        options.collate = c.collate;
        EXPECT_TRUE(preview.PrintPrepared(*pages, options));
        EXPECT_EQ(PdfPageCount(dir.filePath("tirage.pdf")), c.sheets);
    }
    // A page list with no page of the report prints nothing.
    PrintOptions none;
    none.pageList = "5";
    EXPECT_THROW(preview.PrintPrepared(*pages, none), EngineError);
}

TEST_F(ReportPreviewTest, NothingOpensWhenTheReportHasNoPages) {
    Report empty(engine.Model(), "vide");
    ReportPreview preview(empty, engine.Core());
    bool shown = false;
    preview.onShown = [&](PreviewWindow& window) {
        shown = true;
        window.accept();
    };
    EXPECT_FALSE(preview.PreviewReport());
    EXPECT_FALSE(shown);
}

}  // namespace
}  // namespace report
