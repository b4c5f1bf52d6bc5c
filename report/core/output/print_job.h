// The print job: walks a store of prepared pages and sends the chosen ones, with their copies,
// to a print device, one platform document per run of pages of equal paper settings.
//
// Units: destination rectangles in printer pixels, from the corner of the printable area.
#pragma once

#include <functional>
#include <string>

#include "report/core/model/view.h"
#include "report/core/output/print_device.h"
#include "report/core/output/print_options.h"

namespace report {

class PreparedPages;
class Printer;

// Error of a print whose page list and parity leave no page to print.
class NothingToPrintError : public EngineError {
  public:
    NothingToPrintError();
};

class PrintJob {
  public:
    // Paints prepared page `index` of the store into `destination` on the device's current
    // sheet; the page's Visible flag is set while it runs.
    using PagePainter = std::function<void(int index, const IntRect& destination)>;

    // None is owned; all must outlive the job. `printer` is the engine's printer layer, whose
    // settings follow each page's paper.
    PrintJob(PreparedPages& pages, Printer& printer, PrintDevice& device, PagePainter painter);

    // The spooler's document title; "Sans_nom" when empty.
    std::string title;
    // Called before the first document begins.
    std::function<void()> onPrintReport;
    // After each printed page, with its number (from 1).
    std::function<void(int pageNumber)> onProgress;
    // Lets pending window messages through once after each page: where Cancel is seen.
    std::function<void()> processEvents;

    // The whole job. The page list is read before anything is sent (ConvertError,
    // PageListError); a print that leaves no page raises NothingToPrintError. An error while a
    // document is open aborts it and propagates. Returns false when cancelled.
    bool PrintPages(const PrintOptions& options);

    // Asks the running job to stop after the page being printed; its document is aborted.
    void Cancel() { terminated_ = true; }
    bool Terminated() const { return terminated_; }

  private:
    void PrintOnePage(int index, uint8_t parity);

    PreparedPages& pages_;
    Printer& printer_;
    PrintDevice& device_;
    PagePainter painter_;
    std::string documentTitle_;
    int copyCount_ = 1;  // the printer's own repeats of each page
    bool documentOpen_ = false;
    bool terminated_ = false;
};

}  // namespace report
