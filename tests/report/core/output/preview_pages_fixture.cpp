#include "tests/report/core/output/preview_pages_fixture.h"

#include "report/core/model/memo_view.h"

namespace preview_test {

PreviewPages::PreviewPages() {
    state.printer.Start(nullptr);
    report = std::make_unique<report::Report>(state);
    templatePage = &report->AddPage();
}

std::unique_ptr<report::PreparedPages> PreviewPages::Pages(
    const std::vector<std::vector<std::string>>& texts) const {
    auto pages = std::make_unique<report::PreparedPages>(*report);
    for (size_t p = 0; p < texts.size(); ++p) {
        pages->InsertPage(pages->PageCount(), *templatePage).marginsActive = true;
        for (size_t i = 0; i < texts[p].size(); ++i) {
            report::MemoView memo;
            memo.name = "Memo" + std::to_string(i + 1);
            memo.left = 20;
            memo.top = 20 + 30 * static_cast<int>(i);
            memo.width = 200;
            memo.height = 18;
            memo.expandedMemo = {texts[p][i]};
            pages->AppendObject(static_cast<int>(p), memo);
        }
    }
    return pages;
}

std::unique_ptr<report::PreparedPages> PreviewPages::PagesOfSize(int count, int width,
                                                                 int height) const {
    auto pages = std::make_unique<report::PreparedPages>(*report);
    for (int i = 0; i < count; ++i) {
        report::PreparedPage& page = pages->InsertPage(i, *templatePage);
        page.metrics.pageWidth = width;
        page.metrics.pageHeight = height;
    }
    return pages;
}

}  // namespace preview_test
