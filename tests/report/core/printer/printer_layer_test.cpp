#include "report/core/printer/printer_layer.h"

#include <gtest/gtest.h>

#include "report/core/printer/paper_table.h"
#include "tests/report/core/support/fake_print_service.h"

namespace report {
namespace {

TEST(PrinterLayer, VirtualPrinterA4Metrics) {
    Printer printer;
    printer.Start(nullptr);
    ASSERT_TRUE(printer.IsReady());
    ASSERT_EQ(printer.PrinterNames().size(), 1u);
    EXPECT_EQ(printer.PrinterNames()[0], "Imprimante virtuelle");
    EXPECT_TRUE(printer.IsVirtualSelected());
    EXPECT_EQ(printer.DefaultPaperCode(), 9);
    EXPECT_EQ(printer.PaperWidth(), 2100);
    EXPECT_EQ(printer.PaperHeight(), 2970);

    PageMetrics m;
    m.printerPageWidth = 77;  // left alone on the virtual printer
    printer.FillPageMetrics(m);
    EXPECT_EQ(m.pageWidth, 758);
    EXPECT_EQ(m.pageHeight, 1071);
    EXPECT_EQ(m.offsetX, 18);
    EXPECT_EQ(m.offsetY, 18);
    EXPECT_EQ(m.printableWidth, 722);
    EXPECT_EQ(m.printableHeight, 1035);
    EXPECT_EQ(m.printerPageWidth, 77);
    EXPECT_EQ(printer.PaperCodes().size(), 67u);
    EXPECT_EQ(printer.PaperNames().size(), 67u);
}

TEST(PrinterLayer, VirtualPrinterPaperChanges) {
    Printer printer;
    printer.Start(nullptr);
    printer.ApplyPageSettings(9, 0, 0, -1, 1, false);
    EXPECT_EQ(printer.PaperWidth(), 2970);
    EXPECT_EQ(printer.PaperHeight(), 2100);

    // A custom size keeps the width and height last set.
    printer.ApplyPageSettings(kCustomPaperCode, 1234, 2345, -1, 0, false);
    EXPECT_EQ(printer.PaperCode(), kCustomPaperCode);
    EXPECT_EQ(printer.PaperWidth(), 1234);
    EXPECT_EQ(printer.PaperHeight(), 2345);

    // A code the table lacks keeps the given size too.
    printer.ApplyPageSettings(48, 1000, 1500, -1, 0, false);
    EXPECT_EQ(printer.PaperWidth(), 1000);

    printer.ApplyPageSettings(11, 0, 0, -1, 0, false);
    EXPECT_EQ(printer.PaperWidth(), 1480);
    EXPECT_EQ(printer.PaperHeight(), 2100);
}

TEST(PrinterLayer, SameAsCurrent) {
    Printer printer;
    printer.Start(nullptr);
    printer.ApplyPageSettings(kCustomPaperCode, 1000, 2000, 3, 0, true);
    struct Case {
        int32_t code, width, height, bin;
        uint8_t orientation;
        bool same;
    } cases[] = {
        {kCustomPaperCode, 1001, 1999, 99, 0, true},  // one tenth off, bin ignored
        {kCustomPaperCode, 1002, 2000, 3, 0, false},
        {kCustomPaperCode, 1000, 2000, 3, 1, false},
        {9, 1000, 2000, 3, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        EXPECT_EQ(printer.SameAsCurrent(c.code, c.width, c.height, c.bin, c.orientation), c.same);
    }
    printer.ApplyPageSettings(9, 0, 0, 3, 0, true);
    EXPECT_TRUE(printer.SameAsCurrent(9, 0, 0, 3, 0));
    EXPECT_TRUE(printer.SameAsCurrent(9, 0, 0, -1, 0));
    EXPECT_TRUE(printer.SameAsCurrent(9, 0, 0, 0x7FFFF, 0));  // low 16 bits all ones
    EXPECT_FALSE(printer.SameAsCurrent(9, 0, 0, 4, 0));
    EXPECT_FALSE(printer.SameAsCurrent(9, 0, 0, 3, 1));
}

TEST(PrinterLayer, PaperAndBinIndexes) {
    Printer printer;
    printer.Start(nullptr);
    EXPECT_EQ(printer.PaperIndexOf(9), 8);
    EXPECT_EQ(printer.PaperIndexOf(256), 66);
    EXPECT_EQ(printer.PaperIndexOf(49), 66);  // absent: the last index
    EXPECT_EQ(printer.BinIndexOf(-1), 0);
    EXPECT_EQ(printer.BinIndexOf(12), 0);

    testing::FakePrintService service;
    printer.AssignDevice(&service);
    ASSERT_EQ(printer.BinCodes().size(), 3u);
    EXPECT_EQ(printer.BinNames()[0], "Defaut");
    EXPECT_EQ(printer.BinIndexOf(15), 2);
    EXPECT_EQ(printer.BinIndexOf(99), 0);
    EXPECT_EQ(printer.PaperIndexOf(11), 2);
    EXPECT_EQ(printer.PaperIndexOf(5), 2);
}

TEST(PrinterLayer, PlatformPrinters) {
    testing::FakePrintService service;
    Printer printer;
    printer.Start(&service);
    ASSERT_EQ(printer.PrinterNames().size(), 3u);
    EXPECT_EQ(printer.PrinterNames()[2], "Imprimante virtuelle");
    EXPECT_EQ(printer.VirtualIndex(), 2);
    EXPECT_EQ(printer.SelectedIndex(), 1);
    EXPECT_EQ(printer.PaperCode(), 9);
    EXPECT_EQ(printer.PaperWidth(), 2100);  // 4960 / 600 * 254 = 2099.7
    EXPECT_EQ(printer.PaperHeight(), 2970);
    EXPECT_EQ(printer.PaperBin(), 7);

    PageMetrics m;
    printer.FillPageMetrics(m);
    EXPECT_EQ(m.printerPageWidth, 4960);
    EXPECT_EQ(m.pageWidth, 757);  // 4960 * 91.6256 / 600 = 757.4
    EXPECT_EQ(m.pageHeight, 1071);
    EXPECT_EQ(m.offsetX, 15);
    EXPECT_EQ(m.printableWidth, 727);

    // Settings go to the printer; the default source is not pushed.
    printer.ApplyPageSettings(11, 0, 0, -1, 1, false);
    ASSERT_FALSE(service.written.empty());
    EXPECT_EQ(service.written.back().paperCode, 11);
    EXPECT_EQ(service.written.back().orientation, 1);
    EXPECT_FALSE(service.written.back().paperSource.has_value());
    EXPECT_EQ(printer.Orientation(), 1);

    // Nothing changes while a document prints.
    service.printing = true;
    const size_t writes = service.written.size();
    printer.ApplyPageSettings(9, 0, 0, 15, 0, true);
    EXPECT_EQ(service.written.size(), writes);
    service.printing = false;

    printer.SelectPrinter(printer.IndexOfPrinter("Laser"));
    EXPECT_EQ(service.current, 0);
    EXPECT_EQ(printer.SelectedName(), "Laser");

    // An unreadable printer falls back to the virtual one.
    service.readable = false;
    printer.SelectPrinter(1);
    EXPECT_TRUE(printer.IsVirtualSelected());
    EXPECT_EQ(printer.PaperCodes().size(), 67u);
}

TEST(PrinterLayer, PaperTable) {
    const auto& table = PaperTable();
    EXPECT_EQ(table[0].code, 1);
    EXPECT_EQ(table[8].code, 9);
    EXPECT_EQ(table[47].code, 50);
    EXPECT_EQ(table[66].code, 256);
    EXPECT_EQ(PaperRowOf(68), 65);
    EXPECT_EQ(PaperRowOf(48), -1);
}

}  // namespace
}  // namespace report
