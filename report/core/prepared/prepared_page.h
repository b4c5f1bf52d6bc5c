// One finished output page of a built report. Its objects are kept as page data: the version
// byte 24, then per object its type code, for add-in objects its class name, and its compact
// record. Live objects exist only while the page is drawn, hit-tested, searched or edited.
//
// Units: paper width and height in tenths of a millimetre; margins in design pixels;
// ScreenRect in preview pixels.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "report/core/model/page.h"
#include "report/core/model/view.h"
#include "report/core/printer/page_metrics.h"

namespace report {

inline constexpr uint16_t kCustomPaper = 256;
inline constexpr int32_t kPrinterDefaultBin = -1;

struct PageMargins {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    friend bool operator==(const PageMargins&, const PageMargins&) = default;
};

struct PreparedPage {
    IntRect screenRect;  // the preview's layout of the page; never saved
    uint16_t paperCode = 0;
    int32_t paperWidth = 0;
    int32_t paperHeight = 0;
    uint8_t orientation = 0;  // 0 portrait, 1 landscape
    int32_t paperBin = 0;     // kPrinterDefaultBin: the printer's own source
    // Set: laid out inside the margins and drawn 1:1 on the sheet. Clear: laid out over the
    // whole sheet and drawn shrunk into the printable area less the margins.
    bool marginsActive = false;
    PageMargins margins;
    PageMetrics metrics;   // for the printer selected now
    bool visible = false;  // on screen, or being printed now
    std::string pageData;
    std::unique_ptr<Page> livePage;  // re-created from pageData on demand
};

}  // namespace report
