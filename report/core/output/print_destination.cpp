#include "report/core/output/print_destination.h"

#include "report/core/base/rounding.h"
#include "report/core/prepared/prepared_page.h"

namespace report {

namespace {

// A margin in design pixels as printer pixels: an integer product, then a real quotient.
int32_t ToPrinterPixels(int32_t margin, int32_t printerSize, int32_t designSize) {
    if (designSize == 0) return 0;
    const int64_t product = static_cast<int64_t>(margin) * printerSize;
    return RoundToInt(static_cast<double>(product) / designSize);
}

}  // namespace

IntRect PrintDestination(const PreparedPage& page) {
    const PageMetrics& m = page.metrics;
    if (page.marginsActive) {
        return {-m.printerOffsetX, -m.printerOffsetY, m.printerPageWidth - m.printerOffsetX,
                m.printerPageHeight - m.printerOffsetY};
    }
    const PageMargins& margins = page.margins;
    return {
        ToPrinterPixels(margins.left, m.printerPrintableWidth, m.printableWidth),
        ToPrinterPixels(margins.top, m.printerPrintableHeight, m.printableHeight),
        m.printerPrintableWidth -
            ToPrinterPixels(margins.right, m.printerPrintableWidth, m.printableWidth),
        m.printerPrintableHeight -
            ToPrinterPixels(margins.bottom, m.printerPrintableHeight, m.printableHeight),
    };
}

}  // namespace report
