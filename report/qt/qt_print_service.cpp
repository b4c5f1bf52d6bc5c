#include "report/qt/qt_print_service.h"

#include <QPageLayout>
#include <QPrinterInfo>
#include <algorithm>
#include <cmath>

#include "report/core/printer/paper_table.h"
#include "report/qt/qt_text.h"

namespace report {

namespace {

// True when a size is the table row's paper, in either orientation, within a millimetre.
bool MatchesRow(const QPageSize& size, const PaperInfo& paper) {
    const QSizeF mm = size.size(QPageSize::Millimeter);
    const double w = mm.width() * 10, h = mm.height() * 10;
    return (std::abs(w - paper.width) <= 10 && std::abs(h - paper.height) <= 10) ||
           (std::abs(w - paper.height) <= 10 && std::abs(h - paper.width) <= 10);
}

}  // namespace

QPageSize PageSizeOfPaperCode(int paperCode) {
    const int row = PaperRowOf(paperCode);
    if (paperCode == kCustomPaperCode || row < 0) return QPageSize();
    const PaperInfo& paper = PaperTable()[row];
    const QPageSize standard(QPageSize::id(paperCode));
    if (standard.isValid() && MatchesRow(standard, paper)) return standard;
    // Qt reads a few of the platform's numbers as other papers: give the table's size itself.
    return QPageSize(QSizeF(paper.width / 10.0, paper.height / 10.0), QPageSize::Millimeter,
                     ToQString(PaperName(row)), QPageSize::ExactMatch);
}

int PaperCodeOfPageSize(const QPageSize& size) {
    if (!size.isValid()) return kCustomPaperCode;
    const int code = size.windowsId();
    const int row = PaperRowOf(code);
    if (code > 0 && code < kCustomPaperCode && row >= 0 && MatchesRow(size, PaperTable()[row]))
        return code;
    for (int r = 0; r + 1 < kPaperTableRows; ++r) {
        const PaperInfo& paper = PaperTable()[r];
        const QSizeF mm = size.size(QPageSize::Millimeter);
        if (std::abs(mm.width() * 10 - paper.width) <= 10 &&
            std::abs(mm.height() * 10 - paper.height) <= 10) {
            return paper.code;
        }
    }
    return kCustomPaperCode;
}

QtPrintService::QtPrintService(std::vector<QString> pdfPrinters)
    : pdfNames_(std::move(pdfPrinters)),
      printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    for (const QString& name : QPrinterInfo::availablePrinterNames())
        platformNames_.push_back(name);
    const QString defaultName = QPrinterInfo::defaultPrinterName();
    for (size_t i = 0; i < platformNames_.size(); ++i) {
        if (platformNames_[i] == defaultName) current_ = static_cast<int>(i);
    }
    if (current_ < 0 && (!platformNames_.empty() || !pdfNames_.empty())) current_ = 0;
    if (current_ >= 0) SetCurrentPrinter(current_);
}

QString QtPrintService::NameAt(int index) const {
    if (index < 0) return {};
    const auto i = static_cast<size_t>(index);
    if (i < platformNames_.size()) return platformNames_[i];
    if (i - platformNames_.size() < pdfNames_.size()) return pdfNames_[i - platformNames_.size()];
    return {};
}

void QtPrintService::ReadPlatformPrinters() {
    std::vector<QString> names;
    for (const QString& name : QPrinterInfo::availablePrinterNames())
        names.push_back(name);
    if (names == platformNames_) return;
    const bool wasPdf = IsPdfEntry(current_);
    const int pdfEntry = current_ - static_cast<int>(platformNames_.size());
    const QString currentName = NameAt(current_);
    platformNames_ = std::move(names);
    // The current printer keeps its place by name; a printer that has gone gives way to the
    // platform's default.
    int current = -1;
    if (wasPdf) {
        current = static_cast<int>(platformNames_.size()) + pdfEntry;
    } else {
        for (size_t i = 0; i < platformNames_.size(); ++i)
            if (platformNames_[i] == currentName) current = static_cast<int>(i);
    }
    if (current < 0) {
        const QString defaultName = QPrinterInfo::defaultPrinterName();
        for (size_t i = 0; i < platformNames_.size(); ++i)
            if (platformNames_[i] == defaultName) current = static_cast<int>(i);
    }
    if (current < 0 && (!platformNames_.empty() || !pdfNames_.empty())) current = 0;
    current_ = current;
    if (current_ >= 0 && NameAt(current_) != currentName) {
        SetOptionChoices({});
        SetCurrentPrinter(current_);
    }
}

QtPrintService::~QtPrintService() = default;

bool QtPrintService::IsPdfEntry(int index) const {
    return index >= static_cast<int>(platformNames_.size()) &&
           index < static_cast<int>(platformNames_.size() + pdfNames_.size());
}

std::vector<std::string> QtPrintService::PrinterNames() {
    ReadPlatformPrinters();
    std::vector<std::string> names;
    for (const QString& name : platformNames_)
        names.push_back(FromQString(name));
    for (const QString& name : pdfNames_)
        names.push_back(FromQString(name));
    return names;
}

void QtPrintService::SetCurrentPrinter(int index) {
    if (index < 0 || index >= static_cast<int>(platformNames_.size() + pdfNames_.size())) return;
    // Options chosen in the properties dialog belong to their printer.
    if (NameAt(index) != NameAt(current_) || IsPdfEntry(index) != IsPdfEntry(current_))
        SetOptionChoices({});
    current_ = index;
    paperSource_ = -1;
    if (IsPdfEntry(index)) {
        printer_->setOutputFormat(QPrinter::PdfFormat);
    } else {
        printer_->setOutputFormat(QPrinter::NativeFormat);
        printer_->setPrinterName(platformNames_[index]);
    }
}

std::optional<DeviceSettings> QtPrintService::ReadSettings() {
    if (current_ < 0 || !printer_->isValid()) return std::nullopt;
    DeviceSettings settings;
    const QPageLayout layout = printer_->pageLayout();
    settings.paperCode = PaperCodeOfPageSize(layout.pageSize());
    settings.orientation = layout.orientation() == QPageLayout::Landscape ? 1 : 0;
    settings.paperSource = paperSource_;
    QList<QPageSize> sizes;
    if (IsPdfEntry(current_)) {
        for (int row = 0; row < kPaperTableRows; ++row) {
            const QPageSize size = PageSizeOfPaperCode(PaperTable()[row].code);
            if (size.isValid()) sizes.push_back(size);
        }
    } else {
        sizes = QPrinterInfo(*printer_).supportedPageSizes();
    }
    for (const QPageSize& size : sizes) {
        const int code = PaperCodeOfPageSize(size);
        if (code == kCustomPaperCode) continue;
        if (std::find(settings.paperCodes.begin(), settings.paperCodes.end(), code) !=
            settings.paperCodes.end()) {
            continue;
        }
        settings.paperCodes.push_back(static_cast<uint16_t>(code));
        settings.paperNames.push_back(FromQString(size.name()));
    }
    settings.paperCodes.push_back(static_cast<uint16_t>(kCustomPaperCode));
    settings.paperNames.push_back(PaperName(kPaperTableRows - 1));
    return settings;
}

void QtPrintService::WriteSettings(const DeviceRequest& request) {
    if (current_ < 0) return;
    QPageSize size;
    if (request.paperCode == kCustomPaperCode) {
        if (request.paperWidth > 0 && request.paperHeight > 0) {
            size = QPageSize(QSizeF(request.paperWidth / 10.0, request.paperHeight / 10.0),
                             QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
        }
    } else {
        size = PageSizeOfPaperCode(request.paperCode);
    }
    if (size.isValid()) printer_->setPageSize(size);
    printer_->setPageOrientation(request.orientation == 0 ? QPageLayout::Portrait
                                                          : QPageLayout::Landscape);
    printer_->setCopyCount(1);  // copies are the print job's business
    if (request.paperSource) paperSource_ = *request.paperSource;
}

DeviceMeasurements QtPrintService::Measure() {
    DeviceMeasurements m;
    if (current_ < 0) return m;
    const int dpi = printer_->resolution();
    m.pixelsPerInchX = m.pixelsPerInchY = dpi;
    const QRectF paper = printer_->paperRect(QPrinter::DevicePixel);
    const QRectF page = printer_->pageRect(QPrinter::DevicePixel);
    m.physicalWidth = qRound(paper.width());
    m.physicalHeight = qRound(paper.height());
    m.offsetX = qRound(page.left() - paper.left());
    m.offsetY = qRound(page.top() - paper.top());
    m.printableWidth = qRound(page.width());
    m.printableHeight = qRound(page.height());
    return m;
}

bool QtPrintService::IsPrinting() {
    return printer_->printerState() == QPrinter::Active;
}

bool QtPrintService::ShowProperties() {
    if (!propertiesDialog || current_ < 0 || IsPdfEntry(current_)) return false;
    PrinterOptionChoices choices = choices_;
    if (!propertiesDialog(NameAt(current_), choices)) return false;
    SetOptionChoices(std::move(choices));
    return true;
}

void QtPrintService::SetOptionChoices(PrinterOptionChoices choices) {
    choices_ = std::move(choices);
    ApplyPrinterOptions(*printer_, choices_);
}

}  // namespace report
