// The printing system over Qt: CUPS printers through QPrinterInfo and one QPrinter holding the
// current printer's settings (on Linux there is no per-printer device record: the settings live
// in the printer layer and in this QPrinter).
//
// Paper codes are the engine's (9 = A4, 256 = custom) and map to QPageSize through their
// Windows paper numbers, which they are.
#pragma once

#include <QPageSize>
#include <QPrinter>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "report/core/printer/print_service.h"

namespace report {

// The QPageSize of an engine paper code; an invalid QPageSize when Qt has no such paper.
QPageSize PageSizeOfPaperCode(int paperCode);
// The engine paper code of a page size; 256 (custom) when it has none.
int PaperCodeOfPageSize(const QPageSize& size);

class QtPrintService : public PrintService {
  public:
    // `pdfPrinters`: extra entries, after the platform's printers, that print to PDF files
    // (used by tests and by machines without printers when the program asks for it).
    explicit QtPrintService(std::vector<QString> pdfPrinters = {});
    ~QtPrintService() override;

    std::vector<std::string> PrinterNames() override;
    int CurrentPrinterIndex() override { return current_; }
    void SetCurrentPrinter(int index) override;
    std::optional<DeviceSettings> ReadSettings() override;
    void WriteSettings(const DeviceRequest& request) override;
    DeviceMeasurements Measure() override;
    bool IsPrinting() override;
    bool ShowProperties() override;

    // The QPrinter that documents are printed on, set up for the current printer.
    QPrinter& CurrentPrinter() { return *printer_; }

    // The properties dialog needs widgets: the user interface installs it (QPageSetupDialog).
    std::function<bool(QPrinter&)> propertiesDialog;

  private:
    bool IsPdfEntry(int index) const;

    std::vector<QString> platformNames_;
    std::vector<QString> pdfNames_;
    std::unique_ptr<QPrinter> printer_;
    int current_ = -1;
    // CUPS offers no portable source selection: the source asked for is kept and read back,
    // so that pages asking for the same bin stay in one document.
    int32_t paperSource_ = -1;
};

}  // namespace report
