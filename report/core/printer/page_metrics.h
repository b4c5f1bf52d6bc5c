// The twelve page measurements of the selected printer for the current paper, in printer pixels
// and in design pixels. Template pages and prepared pages carry one each.
#pragma once

#include <cstdint>

namespace report {

struct PageMetrics {
    int32_t printerPageWidth = 0;        // physical page width, printer pixels
    int32_t printerPageHeight = 0;       // physical page height, printer pixels
    int32_t pageWidth = 0;               // physical page width, design pixels
    int32_t pageHeight = 0;              // physical page height, design pixels
    int32_t printerOffsetX = 0;          // unprintable left border, printer pixels
    int32_t printerOffsetY = 0;          // unprintable top border, printer pixels
    int32_t offsetX = 0;                 // unprintable left border, design pixels
    int32_t offsetY = 0;                 // unprintable top border, design pixels
    int32_t printerPrintableWidth = 0;   // printer pixels
    int32_t printerPrintableHeight = 0;  // printer pixels
    int32_t printableWidth = 0;          // design pixels
    int32_t printableHeight = 0;         // design pixels

    friend bool operator==(const PageMetrics&, const PageMetrics&) = default;
};

}  // namespace report
