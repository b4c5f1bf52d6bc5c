// Changing the printer of a report from the print dialog.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

#include "report/core/base/dialogs.h"
#include "report/core/base/text.h"
#include "report/core/model/model_state.h"
#include "report/core/model/report.h"
#include "report/core/output/print_printer_switch.h"
#include "tests/report/core/support/fake_print_service.h"
#include "tests/report/core/support/recording_dialogs.h"

namespace report {
namespace {

// A printing system whose printer "Jet" cannot take any settings.
class BrokenJetService : public testing::FakePrintService {
  public:
    void WriteSettings(const DeviceRequest& request) override {
        if (current == 1) throw std::runtime_error("Jet hors service");
        FakePrintService::WriteSettings(request);
    }
};

class SwitchPrinterTest : public ::testing::Test {
  protected:
    BrokenJetService service;
    ModelState state;
    std::unique_ptr<Report> report;
    testing::RecordingDialogs dialogs;

    void SetUp() override {
        service.names = {"Laser", "Jet", "Photo"};
        service.current = 0;
        state.printer.Start(&service);
        report = std::make_unique<Report>(state);
        report->AddPage();
        report->AddPage().ChangePaper(11, 0, 0, -1, 1);  // A5 landscape
    }
};

TEST_F(SwitchPrinterTest, TheNewPrinterTakesEveryPagesPaper) {
    service.measurements.pixelsPerInchX = service.measurements.pixelsPerInchY = 300;
    service.written.clear();
    ASSERT_TRUE(SwitchPrinter(*report, dialogs, 0, 2));
    EXPECT_EQ(state.printer.SelectedIndex(), 2);
    EXPECT_EQ(report->printerName, "Photo");
    EXPECT_TRUE(dialogs.boxes.empty());
    ASSERT_FALSE(service.written.empty());
    EXPECT_EQ(service.written.back().paperCode, 11);
    EXPECT_EQ(service.written.back().orientation, 1);
    // Metrics of the new printer's resolution.
    EXPECT_EQ(report->pages[1].metrics.printerPageWidth, 4960);
    EXPECT_EQ(report->pages[1].metrics.pageWidth,
              static_cast<int>(4960 * Printer::kDesignPixelsPerInch / 300 + 0.5));
}

TEST_F(SwitchPrinterTest, AFailingPrinterIsRefusedAndThePreviousOneComesBack) {
    service.written.clear();
    EXPECT_FALSE(SwitchPrinter(*report, dialogs, 0, 1));
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].text, Utf8ToCp1252("L'imprimante sélectionnée est non valide"));
    EXPECT_EQ(dialogs.boxes[0].caption, "Erreur");
    EXPECT_EQ(dialogs.boxes[0].flags, mb::kOk | mb::kIconError);
    EXPECT_EQ(state.printer.SelectedIndex(), 0);
    EXPECT_EQ(service.current, 0);
    EXPECT_EQ(report->printerName, "Laser");
    // The pages took their paper again on the previous printer.
    ASSERT_FALSE(service.written.empty());
    EXPECT_EQ(report->pages[1].size, 11);
    EXPECT_EQ(report->pages[1].orientation, 1);
}

TEST_F(SwitchPrinterTest, AnIndexOutsideTheListIsRefused) {
    EXPECT_FALSE(SwitchPrinter(*report, dialogs, 0, 7));
    EXPECT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(report->printerName, "Laser");
}

}  // namespace
}  // namespace report
