// Prepared pages for the print tests: `count` A4 pages made from the report's first page, in the
// printer's default bin; page i has orientation orientations[i] when given, else portrait.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "report/core/model/report.h"
#include "report/core/prepared/prepared_pages.h"

namespace report::testing {

inline std::unique_ptr<PreparedPages> A4Pages(Report& report, int count,
                                              const std::vector<uint8_t>& orientations = {}) {
    auto pages = std::make_unique<PreparedPages>(report);
    for (int i = 0; i < count; ++i) {
        PreparedPage& page = pages->InsertPage(i, report.pages[0]);
        page.paperCode = 9;
        page.paperBin = kPrinterDefaultBin;
        page.orientation = i < static_cast<int>(orientations.size()) ? orientations[i] : 0;
    }
    return pages;
}

}  // namespace report::testing
