#include "report/core/output/print_job.h"

#include <algorithm>
#include <set>

#include "report/core/base/engine_strings.h"
#include "report/core/output/page_list.h"
#include "report/core/output/print_destination.h"
#include "report/core/prepared/prepared_pages.h"
#include "report/core/printer/printer_layer.h"

namespace report {

NothingToPrintError::NothingToPrintError() : EngineError(EngineText("print.nothing_to_print")) {}

PrintJob::PrintJob(PreparedPages& pages, Printer& printer, PrintDevice& device, PagePainter painter)
    : pages_(pages), printer_(printer), device_(device), painter_(std::move(painter)) {}

bool PrintJob::PrintPages(const PrintOptions& options) {
    terminated_ = false;
    // Printers added or removed since the last print appear now.
    printer_.AssignDevice(printer_.Service());
    const int count = pages_.PageCount();
    const std::set<int> list = ParsePageList(options.pageList, count);
    auto listed = [&](int number) { return list.empty() || list.count(number) > 0; };
    const int copies = std::max(options.copies, 1);

    // Checked before any document begins: a platform document without pages still comes out
    // as a blank sheet.
    bool anyPage = false;
    for (int number = 1; number <= count && !anyPage; ++number) {
        anyPage = listed(number) && PrintsUnderParity(number, options.parity);
    }
    if (!anyPage) throw NothingToPrintError();

    documentTitle_ = title.empty() ? EngineText("model.untitled") : title;
    copyCount_ = options.collate ? 1 : copies;
    if (onPrintReport) onPrintReport();

    documentOpen_ = false;
    try {
        const int passes = options.collate ? copies : 1;
        for (int pass = 0; pass < passes; ++pass) {
            for (int index = 0; index < count; ++index) {
                if (!listed(index + 1)) continue;
                PrintOnePage(index, options.parity);
                if (terminated_) {
                    if (documentOpen_) {
                        documentOpen_ = false;
                        device_.AbortDocument();
                    }
                    return false;
                }
            }
        }
        if (documentOpen_) {
            documentOpen_ = false;
            device_.EndDocument();
        }
    } catch (...) {
        if (documentOpen_) {
            documentOpen_ = false;
            device_.AbortDocument();
        }
        throw;
    }
    return true;
}

void PrintJob::PrintOnePage(int index, uint8_t parity) {
    if (!PrintsUnderParity(index + 1, parity)) return;
    PreparedPage& page = pages_.PageAt(index);
    const bool samePaper = printer_.SameAsCurrent(page.paperCode, page.paperWidth, page.paperHeight,
                                                  page.paperBin, page.orientation);
    if (documentOpen_ && samePaper) {
        device_.NewPage();
    } else {
        // A printer takes its paper per document: the job goes on in a new one, begun only
        // for a page that prints, so that no blank sheet comes out.
        if (documentOpen_) {
            documentOpen_ = false;
            device_.EndDocument();
        }
        printer_.ApplyPageSettings(page.paperCode, page.paperWidth, page.paperHeight, page.paperBin,
                                   page.orientation, true);
        // Setting the paper may reset the printer's copy count: every document asks again.
        device_.SetCopyCount(copyCount_);
        device_.BeginDocument(documentTitle_);
        documentOpen_ = true;
    }
    printer_.FillPageMetrics(page.metrics);
    page.visible = true;
    try {
        painter_(index, PrintDestination(page));
    } catch (...) {
        page.visible = false;
        pages_.ReleasePage(index);
        throw;
    }
    page.visible = false;
    pages_.ReleasePage(index);
    if (onProgress) onProgress(index + 1);
    if (processEvents) processEvents();
}

}  // namespace report
