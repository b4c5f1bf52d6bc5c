#include "report/core/designer/report_options.h"

#include "report/core/base/engine_strings.h"
#include "report/core/base/errors.h"
#include "report/core/base/text.h"
#include "report/core/designer/design_document.h"
#include "report/core/model/model_state.h"
#include "report/core/model/page.h"
#include "report/core/model/report.h"

namespace report {

ReportOptions ReadReportOptions(const Report& report) {
    return ReportOptions{report.twoPass != 0, report.printerName};
}

bool ApplyReportOptions(DesignDocument& document, const ReportOptions& options) {
    Report& report = document.GetReport();
    const std::string printer = Trim(options.printerName);
    // A template made on another machine keeps its printer; a new name must be one of ours.
    // An empty name leaves the choice to the printer selected when printing.
    if (!printer.empty() && printer != report.printerName &&
        report.State().printer.IndexOfPrinter(printer) < 0)
        throw EngineError(FormatMessage(EngineText("designer.printer_unknown"), {printer}));
    // The stored word keeps its value when the meaning does not change.
    if (options.twoPass != (report.twoPass != 0)) report.twoPass = options.twoPass ? 1 : 0;
    if (printer != report.printerName) {
        if (printer.empty())
            report.printerName.clear();
        else
            report.SelectPrinterByName(printer);
        // The pages are measured again on the printer now selected, as after loading.
        for (const auto& page : report.pages) {
            if (page->IsReportPage())
                page->ChangePaper(page->size, page->width, page->height, page->paperBin,
                                  page->orientation);
        }
    }
    return document.Commit();
}

}  // namespace report
