// Printing through QPrinter to a real CUPS printer (cups-pdf): the spooled documents hold the
// pages in the order the print job sends them.
#include <gtest/gtest.h>

#include <QFont>
#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "report/core/model/model_state.h"
#include "report/core/model/report.h"
#include "report/core/output/print_job.h"
#include "report/core/prepared/prepared_pages.h"
#include "report/qt/qt_print_job.h"
#include "report/qt/qt_print_service.h"
#include "tests/report/core/support/a4_pages.h"
#include "tests/report/qt/cups_server.h"

namespace report {
namespace {

// "Page N" of each page of a PDF, in order ("?" for a page without one).
std::vector<std::string> PageLabels(const std::string& path) {
    std::vector<std::string> labels;
    std::string text = testing::PdfText(path);
    size_t start = 0;
    for (;;) {
        const size_t feed = text.find('\f', start);
        const std::string page = text.substr(start, feed - start);
        if (feed == std::string::npos && page.find_first_not_of(" \n") == std::string::npos) break;
        const size_t at = page.find("Page ");
        labels.push_back(at == std::string::npos
                             ? "?"
                             : page.substr(at, page.find_first_of(" \n", at + 5) - at));
        if (feed == std::string::npos) break;
        start = feed + 1;
    }
    return labels;
}

class CupsPrintTest : public ::testing::Test {
  protected:
    static testing::CupsServer* cups;
    static QGuiApplication* app;

    static void SetUpTestSuite() {
        cups = new testing::CupsServer;  // before Qt asks CUPS for its printers
        static int argc = 1;
        static char name[] = "cups_print_test";
        static char* argv[] = {name, nullptr};
        app = new QGuiApplication(argc, argv);
    }
    static void TearDownTestSuite() {
        delete app;
        delete cups;
    }

    void SetUp() override {
        if (!cups->Usable()) GTEST_SKIP() << "CUPS indisponible : " << cups->Problem();
        service = std::make_unique<QtPrintService>();
        state.printer.Start(service.get());
        const int index = state.printer.IndexOfPrinter(testing::CupsServer::kPrinterName);
        if (index < 0) GTEST_SKIP() << "Qt ne voit pas l'imprimante de cupsd";
        state.printer.SelectPrinter(index);
        report = std::make_unique<Report>(state);
        report->AddPage();
        cups->ClearJobs();
    }

    void MakePages(int count, const std::vector<uint8_t>& orientations = {}) {
        pages = testing::A4Pages(*report, count, orientations);
    }

    // Prints with "Page N" painted on each page; the labels of each spooled document.
    std::vector<std::vector<std::string>> Print(const PrintOptions& options, size_t documents) {
        QtPrintJob device(service->CurrentPrinter());
        PrintJob job(*pages, state.printer, device, [&](int index, const IntRect& rect) {
            QPainter& painter = device.Painter();
            painter.setFont(QFont("Liberation Sans", 24));
            painter.drawText(
                QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top),
                Qt::AlignCenter, QString("Page %1").arg(index + 1));
        });
        job.title = "Essai";
        EXPECT_TRUE(job.PrintPages(options));
        std::vector<std::vector<std::string>> labels;
        for (const std::string& document : cups->SpooledDocuments(documents)) {
            labels.push_back(PageLabels(document));
        }
        return labels;
    }

    ModelState state;
    std::unique_ptr<QtPrintService> service;
    std::unique_ptr<Report> report;
    std::unique_ptr<PreparedPages> pages;
};

testing::CupsServer* CupsPrintTest::cups = nullptr;
QGuiApplication* CupsPrintTest::app = nullptr;

using Labels = std::vector<std::string>;

TEST_F(CupsPrintTest, CollationCopiesAndParityReachTheSpooler) {
    struct Case {
        const char* name;
        int pageCount;
        const char* pageList;
        int copies;
        bool collate;
        uint8_t parity;
        Labels labels;
        int jobCopies;
    };
    const std::vector<Case> cases{
        {"two collated copies",
         3,
         "",
         2,
         true,
         0,
         {"Page 1", "Page 2", "Page 3", "Page 1", "Page 2", "Page 3"},
         1},
        {"three uncollated copies", 2, "", 3, false, 0, {"Page 1", "Page 2"}, 3},
        {"odd pages of 2-5", 6, "2-5", 1, true, 1, {"Page 3", "Page 5"}, 1},
        {"the page list 2", 3, "2", 1, true, 0, {"Page 2"}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        cups->ClearJobs();
        MakePages(c.pageCount);
        const auto documents = Print({c.pageList, c.copies, c.collate, c.parity}, 1);
        ASSERT_EQ(documents.size(), 1u);
        EXPECT_EQ(documents[0], c.labels);
        EXPECT_EQ(cups->JobCopies(), std::vector<int>{c.jobCopies});
    }
}

TEST_F(CupsPrintTest, AChangeOfOrientationIsAnotherJob) {
    MakePages(3, {0, 1, 1});
    const auto documents = Print({"", 1, true, 0}, 2);
    ASSERT_EQ(documents.size(), 2u);
    EXPECT_EQ(documents[0], Labels({"Page 1"}));
    EXPECT_EQ(documents[1], Labels({"Page 2", "Page 3"}));
}

}  // namespace
}  // namespace report
