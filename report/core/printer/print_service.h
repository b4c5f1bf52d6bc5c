// What the printer layer asks of the host's printing system. The Qt implementation works over
// QPrinterInfo and QPrinter (CUPS); tests use fakes. Without a service the layer runs on its
// virtual printer alone.
//
// Units: paper sizes in tenths of a millimetre, everything else in printer pixels.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace report {

// The settings of the current platform printer, as ReadDeviceSettings takes them.
struct DeviceSettings {
    int32_t paperCode = 0;                // the platform's paper number (9 = A4, 256 = custom)
    uint8_t orientation = 0;              // 0 portrait, 1 landscape
    int32_t paperSource = -1;             // default source; -1 = the printer's own default
    std::vector<uint16_t> paperCodes;     // papers the printer offers
    std::vector<std::string> paperNames;  // one per code, Windows-1252
    std::vector<uint16_t> sourceCodes;    // paper sources the printer offers
    std::vector<std::string> sourceNames;
};

// Device measurements for the current settings.
struct DeviceMeasurements {
    int32_t pixelsPerInchX = 0;
    int32_t pixelsPerInchY = 0;
    int32_t physicalWidth = 0;  // whole sheet
    int32_t physicalHeight = 0;
    int32_t offsetX = 0;  // unprintable left border
    int32_t offsetY = 0;  // unprintable top border
    int32_t printableWidth = 0;
    int32_t printableHeight = 0;
};

// Settings pushed into the current platform printer by WriteDeviceSettings.
struct DeviceRequest {
    int32_t paperCode = 9;
    int32_t paperWidth = 0;  // tenths of a millimetre, used with the custom code 256
    int32_t paperHeight = 0;
    uint8_t orientation = 0;             // 0 portrait, 1 landscape
    std::optional<int32_t> paperSource;  // absent: keep the printer's default source
};

class PrintService {
  public:
    virtual ~PrintService() = default;

    // The installed printers in the platform's order (Windows-1252 names).
    virtual std::vector<std::string> PrinterNames() = 0;
    // Index of the platform's current printer in PrinterNames(), or -1.
    virtual int CurrentPrinterIndex() = 0;
    virtual void SetCurrentPrinter(int index) = 0;

    // The current printer's settings; nothing when they cannot be read (the layer then falls
    // back to its virtual printer). May throw for the same reason.
    virtual std::optional<DeviceSettings> ReadSettings() = 0;
    // Pushes settings into the current printer; the printer may adjust them (read them back).
    virtual void WriteSettings(const DeviceRequest& request) = 0;
    virtual DeviceMeasurements Measure() = 0;

    // True while a document is being printed.
    virtual bool IsPrinting() = 0;

    // The platform's properties dialog for the current printer; true when the user accepted
    // (the printer's settings are then those chosen).
    virtual bool ShowProperties() = 0;
};

}  // namespace report
