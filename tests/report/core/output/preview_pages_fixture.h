// Prepared pages for the preview's tests: a report on the virtual printer and stores of
// pages holding given texts.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "report/core/model/model_state.h"
#include "report/core/model/report.h"
#include "report/core/prepared/prepared_pages.h"

namespace preview_test {

struct PreviewPages {
    PreviewPages();
    report::ModelState state;
    std::unique_ptr<report::Report> report;
    report::Page* templatePage = nullptr;

    // A4 pages of the template page; page i holds one text object per text of texts[i],
    // stacked 30 design pixels apart from (20, 20), each 200 x 18.
    std::unique_ptr<report::PreparedPages> Pages(
        const std::vector<std::vector<std::string>>& texts) const;
    // `count` empty pages of the given size in design pixels.
    std::unique_ptr<report::PreparedPages> PagesOfSize(int count, int width, int height) const;
};

}  // namespace preview_test
