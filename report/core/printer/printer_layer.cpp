#include "report/core/printer/printer_layer.h"

#include <algorithm>
#include <cstdlib>
#include <exception>

#include "report/core/base/engine_strings.h"
#include "report/core/base/rounding.h"
#include "report/core/printer/paper_table.h"
#include "report/core/printer/printer_texts.h"

namespace report {
namespace {

constexpr double kTenthsPerInch = 254.0;
constexpr int32_t kVirtualBorderTenths = 50;  // 5 mm unprintable border of the virtual printer

bool IsDefaultBin(int32_t bin) {
    return (bin & 0xFFFF) == 0xFFFF;
}

}  // namespace

Printer::Printer() {
    printerNames_.push_back(VirtualPrinterName());
    virtualIndex_ = 0;
    selectedIndex_ = 0;
    FillVirtualLists();
}

const std::string& Printer::VirtualPrinterName() {
    return EngineText(printer_text::kVirtualPrinter);
}

void Printer::Start(PrintService* service) {
    try {
        AssignDevice(service);
    } catch (const std::exception&) {
        // A printing system that misbehaves at start leaves the virtual printer in charge.
        printerNames_.assign(1, VirtualPrinterName());
        virtualIndex_ = selectedIndex_ = 0;
        service_ = nullptr;
        WriteDeviceSettings();
    }
    defaultPaperCode_ = paperCode_;
    ready_ = true;
}

void Printer::AssignDevice(PrintService* service) {
    printerNames_.clear();
    selectedIndex_ = 0;
    service_ = service;
    bool hasPlatformPrinters = false;
    if (service_ != nullptr) {
        printerNames_ = service_->PrinterNames();
        hasPlatformPrinters = !printerNames_.empty();
        if (hasPlatformPrinters) {
            const int current = service_->CurrentPrinterIndex();
            selectedIndex_ =
                current >= 0 && current < static_cast<int>(printerNames_.size()) ? current : 0;
            service_->SetCurrentPrinter(selectedIndex_);
        }
    }
    printerNames_.push_back(VirtualPrinterName());
    virtualIndex_ = static_cast<int>(printerNames_.size()) - 1;
    if (!hasPlatformPrinters) {
        selectedIndex_ = virtualIndex_;
        WriteDeviceSettings();
    } else {
        ReadDeviceSettings();
    }
}

void Printer::SelectPrinter(int index) {
    if (index < 0 || index >= static_cast<int>(printerNames_.size())) return;
    selectedIndex_ = index;
    if (IsVirtualSelected()) {
        WriteDeviceSettings();
    } else if (service_ != nullptr) {
        try {
            service_->SetCurrentPrinter(index);
        } catch (const std::exception&) {
            SelectPrinter(virtualIndex_);
            return;
        }
        ReadDeviceSettings();
    }
}

void Printer::ReadDeviceSettings() {
    if (IsVirtualSelected() || service_ == nullptr) {
        if (!IsVirtualSelected()) SelectPrinter(virtualIndex_);
        return;
    }
    try {
        const std::optional<DeviceSettings> settings = service_->ReadSettings();
        if (!settings) {
            SelectPrinter(virtualIndex_);
            return;
        }
        const DeviceMeasurements measured = service_->Measure();
        paperCode_ = settings->paperCode;
        if (measured.pixelsPerInchX > 0 && measured.pixelsPerInchY > 0) {
            paperWidth_ = RoundToInt(static_cast<double>(measured.physicalWidth) /
                                     measured.pixelsPerInchX * kTenthsPerInch);
            paperHeight_ = RoundToInt(static_cast<double>(measured.physicalHeight) /
                                      measured.pixelsPerInchY * kTenthsPerInch);
        }
        const size_t papers = std::min<size_t>(settings->paperCodes.size(), kMaxListEntries);
        paperCodes_.assign(settings->paperCodes.begin(), settings->paperCodes.begin() + papers);
        paperNames_.clear();
        for (size_t i = 0; i < papers; ++i) {
            paperNames_.push_back(i < settings->paperNames.size() ? settings->paperNames[i]
                                                                  : std::string());
        }
        paperBin_ = settings->paperSource;
        const size_t sources = std::min<size_t>(settings->sourceCodes.size(), kMaxListEntries - 1);
        binCodes_.assign(1, 0xFFFF);
        binCodes_.insert(binCodes_.end(), settings->sourceCodes.begin(),
                         settings->sourceCodes.begin() + sources);
        binNames_.assign(1, EngineText(printer_text::kDefaultBin));
        for (size_t i = 0; i < sources; ++i) {
            binNames_.push_back(i < settings->sourceNames.size() ? settings->sourceNames[i]
                                                                 : std::string());
        }
        orientation_ = settings->orientation == 0 ? 0 : 1;
    } catch (const std::exception&) {
        SelectPrinter(virtualIndex_);
    }
}

void Printer::FillVirtualLists() {
    const auto& table = PaperTable();
    paperCodes_.clear();
    paperNames_.clear();
    for (int row = 0; row < kPaperTableRows; ++row) {
        paperCodes_.push_back(static_cast<uint16_t>(table[row].code));
        paperNames_.push_back(PaperName(row));
    }
    // The virtual printer has one source: the default.
    binCodes_.assign(1, 0xFFFF);
    binNames_.assign(1, EngineText(printer_text::kDefaultBin));
}

void Printer::WriteDeviceSettings() {
    if (IsVirtualSelected() || service_ == nullptr) {
        FillVirtualLists();
        const int row = paperCode_ == kCustomPaperCode ? -1 : PaperRowOf(paperCode_);
        if (row >= 0) {
            const PaperInfo& paper = PaperTable()[row];
            paperWidth_ = orientation_ == 0 ? paper.width : paper.height;
            paperHeight_ = orientation_ == 0 ? paper.height : paper.width;
        }
        return;
    }
    try {
        DeviceRequest request;
        request.paperCode = paperCode_;
        request.paperWidth = paperWidth_;
        request.paperHeight = paperHeight_;
        request.orientation = orientation_;
        if (!IsDefaultBin(paperBin_)) request.paperSource = paperBin_;
        service_->WriteSettings(request);
    } catch (const std::exception&) {
        SelectPrinter(virtualIndex_);
        return;
    }
    ReadDeviceSettings();
}

bool Printer::SameAsCurrent(int32_t paperCode, int32_t width, int32_t height, int32_t bin,
                            uint8_t orientation) const {
    if (paperCode == kCustomPaperCode && paperCode_ == kCustomPaperCode) {
        return std::abs(static_cast<int64_t>(paperWidth_) - width) <= 1 &&
               std::abs(static_cast<int64_t>(paperHeight_) - height) <= 1 &&
               orientation == orientation_;
    }
    return paperCode == paperCode_ && orientation == orientation_ &&
           (bin == paperBin_ || IsDefaultBin(bin));
}

bool Printer::IsPrinting() const {
    if (service_ == nullptr || IsVirtualSelected()) return false;
    try {
        return service_->IsPrinting();
    } catch (const std::exception&) {
        return false;
    }
}

void Printer::ApplyPageSettings(int32_t paperCode, int32_t width, int32_t height, int32_t bin,
                                uint8_t orientation, bool force) {
    if (IsPrinting()) return;
    if (!force && SameAsCurrent(paperCode, width, height, bin, orientation)) return;
    paperCode_ = paperCode;
    paperWidth_ = width;
    paperHeight_ = height;
    orientation_ = orientation;
    paperBin_ = bin;
    WriteDeviceSettings();
}

void Printer::FillPageMetrics(PageMetrics& m) const {
    const double k = kDesignPixelsPerInch;
    if (IsVirtualSelected() || service_ == nullptr) {
        m.pageWidth = RoundToInt(paperWidth_ * k / kTenthsPerInch);
        m.pageHeight = RoundToInt(paperHeight_ * k / kTenthsPerInch);
        m.offsetX = m.offsetY = RoundToInt(kVirtualBorderTenths * k / kTenthsPerInch);
        m.printableWidth = m.pageWidth - 2 * m.offsetX;
        m.printableHeight = m.pageHeight - 2 * m.offsetY;
        return;
    }
    DeviceMeasurements d;
    try {
        d = service_->Measure();
    } catch (const std::exception&) {
        return;
    }
    const double kx = d.pixelsPerInchX > 0 ? k / d.pixelsPerInchX : 0.0;
    const double ky = d.pixelsPerInchY > 0 ? k / d.pixelsPerInchY : 0.0;
    m.printerPageWidth = d.physicalWidth;
    m.pageWidth = RoundToInt(kx * d.physicalWidth);
    m.printerPageHeight = d.physicalHeight;
    m.pageHeight = RoundToInt(ky * d.physicalHeight);
    m.printerOffsetX = d.offsetX;
    m.offsetX = RoundToInt(kx * d.offsetX);
    m.printerOffsetY = d.offsetY;
    m.offsetY = RoundToInt(ky * d.offsetY);
    m.printerPrintableWidth = d.printableWidth;
    m.printableWidth = RoundToInt(kx * d.printableWidth);
    m.printerPrintableHeight = d.printableHeight;
    m.printableHeight = RoundToInt(ky * d.printableHeight);
}

bool Printer::ShowDeviceProperties() {
    if (service_ == nullptr || IsVirtualSelected()) return false;
    return service_->ShowProperties();
}

int Printer::PaperIndexOf(int32_t paperCode) const {
    for (size_t i = 0; i < paperCodes_.size(); ++i) {
        if (paperCodes_[i] == paperCode) return static_cast<int>(i);
    }
    return static_cast<int>(paperCodes_.size()) - 1;
}

int Printer::BinIndexOf(int32_t binCode) const {
    const auto wanted = static_cast<uint16_t>(binCode & 0xFFFF);
    for (size_t i = 0; i < binCodes_.size(); ++i) {
        if (binCodes_[i] == wanted) return static_cast<int>(i);
    }
    return 0;
}

int Printer::IndexOfPrinter(const std::string& name) const {
    for (size_t i = 0; i < printerNames_.size(); ++i) {
        if (printerNames_[i] == name) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace report
