// The printer properties dialog: the settings the chosen printer's driver offers (double-sided
// printing, quality, paper tray …), one list each, opened by the print dialog's "Propriétés".
// What the user accepts is kept by the print service for the documents printed on that printer.
#pragma once

#include <QDialog>
#include <vector>

#include "report/qt/cups_printer_options.h"

class QComboBox;
class QWidget;

namespace report {

class QtPrintService;

class PrinterPropertiesDialog : public QDialog {
  public:
    // One list per option (named by the option's key), on `choices` where they name one of
    // its values, else on the driver's default.
    PrinterPropertiesDialog(const QString& printerName, std::vector<PrinterOption> options,
                            const PrinterOptionChoices& choices, QWidget* parent = nullptr);

    // Every option with the value shown.
    PrinterOptionChoices Choices() const;

  private:
    std::vector<PrinterOption> options_;
    std::vector<QComboBox*> lists_;
};

// Makes the service's ShowProperties open this dialog over `parent` on the current printer's
// options; a printer that lists none gets a message instead.
void InstallPrinterPropertiesDialog(QtPrintService& service, QWidget* parent);

}  // namespace report
