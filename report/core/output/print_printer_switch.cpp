#include "report/core/output/print_printer_switch.h"

#include <exception>

#include "report/core/base/dialogs.h"
#include "report/core/base/engine_strings.h"
#include "report/core/base/errors.h"
#include "report/core/model/model_state.h"
#include "report/core/model/report.h"

namespace report {

namespace {

// False when the printer layer could not use the printer and fell back to its virtual one.
bool UsePrinter(Report& report, int index) {
    Printer& printer = report.State().printer;
    if (index < 0 || index >= static_cast<int>(printer.PrinterNames().size())) {
        throw ListIndexError(index);
    }
    printer.SelectPrinter(index);
    report.printerName = printer.SelectedName();
    if (report.pages.Count() == 0) return printer.SelectedIndex() == index;
    // Forcing the first page's paper makes the printer differ from whatever it held, so that
    // every page's paper is pushed into the new printer.
    const Page& first = report.pages[0];
    printer.ApplyPageSettings(first.size, first.width, first.height, first.paperBin,
                              first.orientation, true);
    for (const auto& page : report.pages) {
        page->ChangePaper(page->size, page->width, page->height, page->paperBin, page->orientation);
    }
    return printer.SelectedIndex() == index;
}

}  // namespace

bool SwitchPrinter(Report& report, DialogService& dialogs, int oldIndex, int newIndex) {
    bool used = false;
    try {
        used = UsePrinter(report, newIndex);
    } catch (const std::exception&) {
        used = false;
    }
    if (!used) {
        dialogs.ShowMessage(EngineText("print.invalid_printer"), EngineText(text_id::kErrorCaption),
                            mb::kOk | mb::kIconError);
        UsePrinter(report, oldIndex);
        return false;
    }
    return true;
}

}  // namespace report
