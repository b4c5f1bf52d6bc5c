// The settings a CUPS printer offers beyond paper and copies (double-sided printing, output
// quality, paper tray, colour …), as its driver lists them, and their use on a QPrinter. They
// are what the printer properties dialog shows; the print job keeps them while the printer
// stays selected.
#pragma once

#include <QPrinter>
#include <QString>
#include <QStringList>
#include <map>
#include <vector>

namespace report {

struct PrinterOption {
    QString key;    // the driver's name: "Duplex", "InputSlot", "Resolution" …
    QString label;  // its caption, as the driver gives it
    QStringList choices;
    int defaultChoice = 0;  // index in `choices`
};

// Option key -> chosen value.
using PrinterOptionChoices = std::map<QString, QString>;

// The options of `lpoptions -l` output: one "Key/Label: choice *default choice" per line.
// Paper size and region are left out: the pages decide the paper.
std::vector<PrinterOption> ParsePrinterOptions(const QString& listing);

// The named printer's options, from the printing system (empty when it cannot be asked
// within two seconds).
std::vector<PrinterOption> ReadPrinterOptions(const QString& printerName);

// Makes the printer's next documents use the choices: double-sided printing through Qt's
// own setting (Qt always sends one), the rest as job options.
void ApplyPrinterOptions(QPrinter& printer, const PrinterOptionChoices& choices);

}  // namespace report
