#include "report/qt/qt_print_service.h"

#include <gtest/gtest.h>

#include <QGuiApplication>

#include "report/core/printer/paper_table.h"
#include "report/core/printer/printer_layer.h"

namespace report {
namespace {

QGuiApplication& App() {
    static int argc = 1;
    static char name[] = "qt_print_service_test";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    return app;
}

TEST(QtPrintService, PaperCodesMapToPageSizes) {
    struct Case {
        int code;
        QPageSize::PageSizeId id;
    } cases[] = {{1, QPageSize::Letter},     {5, QPageSize::Legal}, {8, QPageSize::A3},
                 {9, QPageSize::A4},         {11, QPageSize::A5},   {66, QPageSize::A2},
                 {27, QPageSize::EnvelopeDL}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        const QPageSize size = PageSizeOfPaperCode(c.code);
        ASSERT_TRUE(size.isValid());
        EXPECT_EQ(size.id(), c.id);
        EXPECT_EQ(PaperCodeOfPageSize(size), c.code);
    }
    EXPECT_FALSE(PageSizeOfPaperCode(256).isValid());
    EXPECT_EQ(PaperCodeOfPageSize(QPageSize()), 256);
    // Every row of the paper table has a size of the table's dimensions (within 1 mm).
    for (int row = 0; row + 1 < kPaperTableRows; ++row) {
        const PaperInfo& paper = PaperTable()[row];
        SCOPED_TRACE(paper.code);
        const QPageSize size = PageSizeOfPaperCode(paper.code);
        const QSizeF mm = size.size(QPageSize::Millimeter);
        const bool swapped = std::abs(mm.width() * 10 - paper.height) <= 10 &&
                             std::abs(mm.height() * 10 - paper.width) <= 10;
        const bool same = std::abs(mm.width() * 10 - paper.width) <= 10 &&
                          std::abs(mm.height() * 10 - paper.height) <= 10;
        EXPECT_TRUE(same || swapped) << mm.width() << " x " << mm.height();
        const int back = PaperCodeOfPageSize(size);
        EXPECT_EQ(PaperTable()[PaperRowOf(back)].width, paper.width);
    }
}

TEST(QtPrintService, WithoutPrintersTheVirtualPrinterServes) {
    App();
    QtPrintService service;
    Printer printer;
    printer.Start(&service);
    // Test machines have no printer: only the virtual one.
    if (printer.PrinterNames().size() == 1) {
        EXPECT_TRUE(printer.IsVirtualSelected());
        PageMetrics m;
        printer.FillPageMetrics(m);
        EXPECT_EQ(m.pageWidth, 758);
        EXPECT_EQ(m.pageHeight, 1071);
        EXPECT_EQ(m.printableWidth, 722);
    }
    EXPECT_EQ(printer.PrinterNames().back(), "Imprimante virtuelle");
}

TEST(QtPrintService, PdfPrinterSettingsAndMetrics) {
    App();
    QtPrintService service({QStringLiteral("PDF")});
    Printer printer;
    printer.Start(&service);
    const int pdf = printer.IndexOfPrinter("PDF");
    ASSERT_GE(pdf, 0);
    printer.SelectPrinter(pdf);
    ASSERT_FALSE(printer.IsVirtualSelected());

    printer.ApplyPageSettings(9, 0, 0, -1, 0, true);
    EXPECT_EQ(printer.PaperCode(), 9);
    EXPECT_NEAR(printer.PaperWidth(), 2100, 1);
    EXPECT_NEAR(printer.PaperHeight(), 2970, 1);
    PageMetrics m;
    printer.FillPageMetrics(m);
    EXPECT_NEAR(m.pageWidth, 758, 1);
    EXPECT_NEAR(m.pageHeight, 1071, 1);
    EXPECT_EQ(m.printerPageWidth,
              service.CurrentPrinter().paperRect(QPrinter::DevicePixel).width());
    EXPECT_GE(printer.PaperIndexOf(11), 0);
    EXPECT_EQ(printer.PaperCodes()[printer.PaperIndexOf(11)], 11);

    // Qt keeps page sizes in whole points: a few tenths of a millimetre may go.
    printer.ApplyPageSettings(8, 0, 0, -1, 1, false);
    EXPECT_EQ(printer.PaperCode(), 8);
    EXPECT_EQ(printer.Orientation(), 1);
    EXPECT_NEAR(printer.PaperWidth(), 4200, 3);

    printer.ApplyPageSettings(256, 1000, 1500, -1, 0, false);
    EXPECT_NEAR(printer.PaperWidth(), 1000, 3);
    EXPECT_NEAR(printer.PaperHeight(), 1500, 3);
    EXPECT_FALSE(printer.ShowDeviceProperties());  // no dialog installed
}

// Pages of a template store the bin they were designed with (0 here): a second page asking for
// the same paper and bin must not start a new document, or a PDF printer would keep only the
// last one.
TEST(QtPrintService, ThePaperBinAskedForIsReadBack) {
    App();
    QtPrintService service({QStringLiteral("PDF")});
    Printer printer;
    printer.Start(&service);
    printer.SelectPrinter(printer.IndexOfPrinter("PDF"));
    for (const int bin : {0, 3, -1}) {
        SCOPED_TRACE(bin);
        printer.ApplyPageSettings(9, 0, 0, bin, 0, true);
        EXPECT_TRUE(printer.SameAsCurrent(9, 0, 0, bin, 0));
        EXPECT_FALSE(printer.SameAsCurrent(11, 0, 0, bin, 0));
    }
    // Choosing a printer starts from its default source again.
    printer.ApplyPageSettings(9, 0, 0, 3, 0, true);
    EXPECT_TRUE(service.ReadSettings().has_value());
    EXPECT_EQ(service.ReadSettings()->paperSource, 3);
    service.SetCurrentPrinter(service.CurrentPrinterIndex());
    EXPECT_EQ(service.ReadSettings()->paperSource, -1);
}

}  // namespace
}  // namespace report
