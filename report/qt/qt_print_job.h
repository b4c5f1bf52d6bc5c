// The print job's documents on a QPrinter: each document is one spooler job (one CUPS job),
// painted through one QPainter whose origin is the corner of the printable area, in printer
// pixels.
#pragma once

#include <QPainter>
#include <QPrinter>
#include <string>

#include "report/core/output/print_device.h"

namespace report {

class QtPrintJob : public PrintDevice {
  public:
    // `printer` (not owned) is set up for the chosen printer, as the print service keeps it.
    explicit QtPrintJob(QPrinter& printer);
    ~QtPrintJob() override;

    void SetCopyCount(int copies) override;
    // EngineError "Impossible de commencer l'impression sur %s" when the printer refuses.
    void BeginDocument(const std::string& title) override;
    void NewPage() override;
    void EndDocument() override;
    void AbortDocument() override;

    // The painter of the open document.
    QPainter& Painter() { return painter_; }

  private:
    QPrinter& printer_;
    QPainter painter_;
};

}  // namespace report
