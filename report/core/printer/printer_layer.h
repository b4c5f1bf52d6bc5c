// The printer layer: the installed printers plus the virtual printer, the current page settings
// (paper code, size, orientation, source), and the page metrics that tie design pixels to paper
// and printer pixels. One instance per engine.
//
// Units: paper sizes in tenths of a millimetre; metrics in printer pixels and design pixels
// (DesignPixelsPerInch design pixels per inch).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "report/core/printer/page_metrics.h"
#include "report/core/printer/print_service.h"

namespace report {

class Printer {
  public:
    static constexpr double kDesignPixelsPerInch = 18600.0 / 203.0;
    static constexpr int kMaxListEntries = 256;  // papers and sources kept per printer
    static constexpr int32_t kDefaultBin = -1;

    // The virtual printer alone, A4 portrait; the ready flag is down.
    Printer();

    // Engine start: assigns the platform service (when there is one), remembers the resulting
    // paper code as the default for new pages, and raises the ready flag. Failures of the
    // service are ignored (the virtual printer stays selected).
    void Start(PrintService* service);
    bool IsReady() const { return ready_; }

    // Rebuilds the printer list from the service (nullptr: no platform printers) and selects
    // the platform's current printer, or the virtual one.
    void AssignDevice(PrintService* service);
    void SelectPrinter(int index);
    void ReadDeviceSettings();
    void WriteDeviceSettings();
    void RefreshSettings() { ReadDeviceSettings(); }

    // Changes the current settings and pushes them into the printer, unless a document is
    // printing, or `force` is false and the settings are already the current ones.
    void ApplyPageSettings(int32_t paperCode, int32_t width, int32_t height, int32_t bin,
                           uint8_t orientation, bool force);
    bool SameAsCurrent(int32_t paperCode, int32_t width, int32_t height, int32_t bin,
                       uint8_t orientation) const;

    // Metrics of the current settings. On the virtual printer the printer-pixel fields of
    // `metrics` are left as they were.
    void FillPageMetrics(PageMetrics& metrics) const;

    // The platform's properties dialog; the layer's fields are not re-read. False on the
    // virtual printer or when cancelled.
    bool ShowDeviceProperties();

    // Index in PaperCodes(), or the last index when the code is absent.
    int PaperIndexOf(int32_t paperCode) const;
    // Index in BinCodes(), or 0 ("Defaut") when absent.
    int BinIndexOf(int32_t binCode) const;

    // Index of the entry named exactly `name`, or -1.
    int IndexOfPrinter(const std::string& name) const;

    const std::vector<std::string>& PrinterNames() const { return printerNames_; }
    int SelectedIndex() const { return selectedIndex_; }
    int VirtualIndex() const { return virtualIndex_; }
    bool IsVirtualSelected() const { return selectedIndex_ == virtualIndex_; }
    const std::string& SelectedName() const { return printerNames_[selectedIndex_]; }
    static const std::string& VirtualPrinterName();

    const std::vector<std::string>& PaperNames() const { return paperNames_; }
    const std::vector<uint16_t>& PaperCodes() const { return paperCodes_; }
    const std::vector<std::string>& BinNames() const { return binNames_; }
    const std::vector<uint16_t>& BinCodes() const { return binCodes_; }

    int32_t PaperCode() const { return paperCode_; }
    int32_t PaperWidth() const { return paperWidth_; }
    int32_t PaperHeight() const { return paperHeight_; }
    int32_t PaperBin() const { return paperBin_; }
    uint8_t Orientation() const { return orientation_; }

    // The paper code that new template pages take (the printer's at start-up).
    int32_t DefaultPaperCode() const { return defaultPaperCode_; }

    // True while the platform printer prints a document.
    bool IsPrinting() const;

    PrintService* Service() const { return service_; }

  private:
    void FillVirtualLists();

    PrintService* service_ = nullptr;  // not owned
    bool ready_ = false;
    std::vector<std::string> printerNames_;
    int selectedIndex_ = 0;
    int virtualIndex_ = 0;
    std::vector<std::string> paperNames_;
    std::vector<uint16_t> paperCodes_;
    std::vector<std::string> binNames_;
    std::vector<uint16_t> binCodes_;
    uint8_t orientation_ = 0;
    int32_t paperCode_ = 9;
    int32_t paperWidth_ = 2100;
    int32_t paperHeight_ = 2970;
    int32_t paperBin_ = kDefaultBin;
    int32_t defaultPaperCode_ = 9;
};

}  // namespace report
