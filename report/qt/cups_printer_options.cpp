#include "report/qt/cups_printer_options.h"

#include <QPrintEngine>
#include <QProcess>

namespace report {

namespace {

// Qt's print engine on CUPS takes job options under this property (key, value, key, value …).
constexpr auto kCupsOptions = QPrintEngine::PrintEnginePropertyKey(0xfe00);

QPrinter::DuplexMode DuplexOf(const QString& choice) {
    if (choice == "DuplexNoTumble") return QPrinter::DuplexLongSide;
    if (choice == "DuplexTumble") return QPrinter::DuplexShortSide;
    return QPrinter::DuplexNone;
}

}  // namespace

std::vector<PrinterOption> ParsePrinterOptions(const QString& listing) {
    std::vector<PrinterOption> options;
    for (const QString& line : listing.split('\n', Qt::SkipEmptyParts)) {
        const qsizetype colon = line.indexOf(": ");
        if (colon <= 0) continue;
        const QString name = line.left(colon);
        PrinterOption option;
        const qsizetype slash = name.indexOf('/');
        option.key = slash < 0 ? name : name.left(slash);
        option.label = slash < 0 ? name : name.mid(slash + 1);
        if (option.key.isEmpty() || option.key == "PageSize" || option.key == "PageRegion")
            continue;
        for (QString choice : line.mid(colon + 2).split(' ', Qt::SkipEmptyParts)) {
            if (choice.startsWith('*')) {
                choice.remove(0, 1);
                option.defaultChoice = static_cast<int>(option.choices.size());
            }
            option.choices.push_back(choice);
        }
        if (option.choices.isEmpty()) continue;
        options.push_back(std::move(option));
    }
    return options;
}

std::vector<PrinterOption> ReadPrinterOptions(const QString& printerName) {
    if (printerName.isEmpty()) return {};
    QProcess lpoptions;
    lpoptions.start("lpoptions", {"-p", printerName, "-l"});
    if (!lpoptions.waitForFinished(2000) || lpoptions.exitStatus() != QProcess::NormalExit ||
        lpoptions.exitCode() != 0) {
        lpoptions.kill();
        lpoptions.waitForFinished(500);
        return {};
    }
    return ParsePrinterOptions(QString::fromUtf8(lpoptions.readAllStandardOutput()));
}

void ApplyPrinterOptions(QPrinter& printer, const PrinterOptionChoices& choices) {
    QStringList jobOptions;
    for (const auto& [key, value] : choices) {
        if (key == "Duplex") {
            printer.setDuplex(DuplexOf(value));
        } else {
            jobOptions << key << value;
        }
    }
    if (QPrintEngine* engine = printer.printEngine()) engine->setProperty(kCupsOptions, jobOptions);
}

}  // namespace report
