// The print dialog without its widgets: printer choice, pages, copies, collation and parity,
// and the print options it answers. The dialog window shows this state and forwards its
// input here; tests drive it directly.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "report/core/output/print_options.h"

namespace report {

class Printer;

enum class PageChoice : uint8_t { pcAll, pcCurrent, pcList };

class PrintDialogState {
  public:
    // `printer` (not owned) is the engine's printer layer; the dialog remembers its printer of
    // now, to select again when the dialog is not accepted. It reads the platform's printer
    // list again and selects a platform printer when the virtual one was selected: the one a
    // print would use. Copies show `defaultCopies`.
    PrintDialogState(Printer& printer, int32_t defaultCopies, bool defaultCollate);

    // The printer layer's index of the printer selected when the dialog opened (-1 when it
    // has gone from the list).
    int OpeningIndex() const;

    // ---- printer ----
    // The platform's printers (the virtual printer is not offered).
    std::vector<std::string> PrinterNames() const;
    // Index in PrinterNames() of the printer selected now, or -1 (the virtual one).
    int SelectedPrinter() const;
    // Selects the printer in the printer layer at once (it becomes the platform's current).
    void ChoosePrinter(int index);
    // The printer's properties dialog; true when accepted.
    bool ShowProperties();

    // ---- pages ----
    PageChoice Pages() const { return pages_; }
    void SetPages(PageChoice choice) { pages_ = choice; }
    const std::string& PageListText() const { return pageList_; }
    void SetPageListText(std::string text) { pageList_ = std::move(text); }
    // Entering the page list chooses it.
    void EnterPageList() { pages_ = PageChoice::pcList; }

    // ---- copies ----
    const std::string& CopiesText() const { return copies_; }
    void SetCopiesText(std::string text) { copies_ = std::move(text); }
    // One more; one less but never below 1. ConvertError when the text is not an integer.
    void CopiesUp();
    void CopiesDown();

    bool Collate() const { return collate_; }
    void SetCollate(bool collate) { collate_ = collate; }
    void ToggleCollate() { collate_ = !collate_; }

    uint8_t Parity() const { return parity_; }  // PrintParity
    void SetParity(uint8_t parity) { parity_ = parity; }

    // ---- closing ----
    // Not accepted: the printer of the opening is selected again.
    void Close(bool accepted);
    // The options for an accepted dialog; `currentPage` (from 1) is the preview's page.
    // ConvertError when the copies text is not an integer.
    PrintOptions Options(int currentPage) const;

  private:
    Printer& printer_;
    std::string openingName_;
    PageChoice pages_ = PageChoice::pcAll;
    std::string pageList_;
    std::string copies_;
    bool collate_;
    uint8_t parity_ = 0;
};

}  // namespace report
