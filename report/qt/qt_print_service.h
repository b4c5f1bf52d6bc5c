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
#include "report/qt/cups_printer_options.h"

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

    // Asks the platform each time: printers added or removed while the program runs show.
    // The current printer keeps its entry by name.
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

    // The properties dialog needs widgets: the user interface installs it. It shows the named
    // printer's options with `choices` (those chosen so far) and, accepted, answers true with
    // `choices` changed.
    std::function<bool(const QString& printerName, PrinterOptionChoices& choices)> propertiesDialog;
    // The options chosen for the current printer, used by every document printed on it until
    // another printer is selected.
    const PrinterOptionChoices& OptionChoices() const { return choices_; }
    void SetOptionChoices(PrinterOptionChoices choices);

  private:
    bool IsPdfEntry(int index) const;
    QString NameAt(int index) const;
    void ReadPlatformPrinters();

    std::vector<QString> platformNames_;
    std::vector<QString> pdfNames_;
    std::unique_ptr<QPrinter> printer_;
    int current_ = -1;
    // CUPS offers no portable source selection: the source asked for is kept and read back,
    // so that pages asking for the same bin stay in one document.
    int32_t paperSource_ = -1;
    PrinterOptionChoices choices_;
};

}  // namespace report
