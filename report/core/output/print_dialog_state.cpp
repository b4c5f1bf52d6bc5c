#include "report/core/output/print_dialog_state.h"

#include <algorithm>

#include "report/core/printer/printer_layer.h"
#include "report/core/value/number_format.h"

namespace report {

PrintDialogState::PrintDialogState(Printer& printer, int32_t defaultCopies, bool defaultCollate)
    : printer_(printer),
      openingName_(printer.SelectedName()),
      copies_(std::to_string(defaultCopies)),
      collate_(defaultCollate) {
    // Printers added or removed since the last look are offered as they are now; the layer
    // then selects the platform's current printer, the one a print on OK uses, so that the
    // list shows it even after a file saved on the virtual printer was opened.
    if (printer_.Service() != nullptr) printer_.AssignDevice(printer_.Service());
    const int opening = printer_.IndexOfPrinter(openingName_);
    if (opening >= 0 && opening != printer_.VirtualIndex() && opening != printer_.SelectedIndex())
        printer_.SelectPrinter(opening);
}

int PrintDialogState::OpeningIndex() const {
    return printer_.IndexOfPrinter(openingName_);
}

std::vector<std::string> PrintDialogState::PrinterNames() const {
    std::vector<std::string> names = printer_.PrinterNames();
    names.erase(names.begin() + printer_.VirtualIndex());
    return names;
}

int PrintDialogState::SelectedPrinter() const {
    return printer_.IsVirtualSelected() ? -1 : printer_.SelectedIndex();
}

void PrintDialogState::ChoosePrinter(int index) {
    if (index < 0 || index >= printer_.VirtualIndex()) return;
    printer_.SelectPrinter(index);
}

bool PrintDialogState::ShowProperties() {
    return printer_.ShowDeviceProperties();
}

void PrintDialogState::CopiesUp() {
    copies_ = std::to_string(static_cast<int64_t>(StrToInt(copies_)) + 1);
}

void PrintDialogState::CopiesDown() {
    copies_ = std::to_string(std::max<int64_t>(static_cast<int64_t>(StrToInt(copies_)) - 1, 1));
}

void PrintDialogState::Close(bool accepted) {
    const int opening = OpeningIndex();
    if (!accepted && opening >= 0 && printer_.SelectedIndex() != opening)
        printer_.SelectPrinter(opening);
}

PrintOptions PrintDialogState::Options(int currentPage) const {
    PrintOptions options;
    switch (pages_) {
        case PageChoice::pcAll:
            break;
        case PageChoice::pcCurrent:
            options.pageList = std::to_string(currentPage);
            break;
        case PageChoice::pcList:
            options.pageList = pageList_;
            break;
    }
    options.copies = StrToInt(copies_);
    options.collate = collate_;
    options.parity = parity_;
    return options;
}

}  // namespace report
