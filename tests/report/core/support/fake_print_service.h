// A scripted printing system for the printer layer's tests.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "report/core/printer/print_service.h"

namespace report::testing {

class FakePrintService : public PrintService {
  public:
    std::vector<std::string> names{"Laser", "Jet"};
    int current = 1;
    bool readable = true;
    bool printing = false;
    bool accepts = true;  // takes every requested paper code
    DeviceSettings settings;
    DeviceMeasurements measurements;
    std::vector<DeviceRequest> written;

    FakePrintService() {
        settings.paperCode = 9;
        settings.paperCodes = {1, 9, 11};
        settings.paperNames = {"Letter", "A4", "A5"};
        settings.sourceCodes = {7, 15};
        settings.sourceNames = {"Auto", "Tray 1"};
        settings.paperSource = 7;
        // A4 at 600 pixels per inch with a 1/6 inch border.
        measurements = {600, 600, 4960, 7016, 100, 100, 4760, 6816};
    }

    std::vector<std::string> PrinterNames() override { return names; }
    int CurrentPrinterIndex() override { return current; }
    void SetCurrentPrinter(int index) override { current = index; }
    std::optional<DeviceSettings> ReadSettings() override {
        if (!readable) return std::nullopt;
        return settings;
    }
    void WriteSettings(const DeviceRequest& request) override {
        written.push_back(request);
        if (accepts) settings.paperCode = request.paperCode;
        settings.orientation = request.orientation;
        if (request.paperSource) settings.paperSource = *request.paperSource;
    }
    DeviceMeasurements Measure() override { return measurements; }
    bool IsPrinting() override { return printing; }
    bool ShowProperties() override { return true; }
};

}  // namespace report::testing
