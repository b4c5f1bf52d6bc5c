#include "report/core/prepared/prepared_pages.h"

#include "report/core/base/errors.h"
#include "report/core/model/memo_view.h"
#include "report/core/model/model_state.h"
#include "report/core/model/page.h"
#include "report/core/model/report.h"
#include "report/core/prepared/auto_width.h"
#include "report/core/prepared/compressor.h"
#include "report/core/prepared/page_data.h"
#include "report/core/prepared/page_geometry.h"

namespace report {

PreparedPages::PreparedPages(Report& report)
    : report_(&report), compressor_(&Compressor::Disabled()) {}

PreparedPages::~PreparedPages() = default;

PreparedPage& PreparedPages::PageAt(int index) const {
    if (index < 0 || index >= PageCount()) throw ListIndexError(index);
    return *pages_[static_cast<size_t>(index)];
}

void PreparedPages::ClearPages() {
    pages_.clear();
}

PreparedPage& PreparedPages::AppendPage(const Page& templatePage, int buildPageIndex,
                                        Report* masterReport) {
    PreparedPage& page = InsertPage(PageCount(), templatePage);
    if (report_->onBeginPage) report_->onBeginPage(buildPageIndex);
    if (masterReport != nullptr && masterReport != report_ && masterReport->onBeginPage)
        masterReport->onBeginPage(buildPageIndex);
    return page;
}

PreparedPage& PreparedPages::InsertPage(int index, const Page& templatePage) {
    auto page = std::make_unique<PreparedPage>();
    page->pageData = EmptyPageData();
    page->paperCode = static_cast<uint16_t>(templatePage.size);
    page->paperWidth = templatePage.width;
    page->paperHeight = templatePage.height;
    page->orientation = templatePage.orientation;
    page->paperBin = templatePage.paperBin;
    page->marginsActive = templatePage.marginsActive != 0;
    page->margins = PageMargins{templatePage.leftMargin, templatePage.topMargin,
                                templatePage.rightMargin, templatePage.bottomMargin};
    page->metrics = templatePage.metrics;
    PreparedPage& inserted = *page;
    if (index < 0 || index >= PageCount()) {
        pages_.push_back(std::move(page));
    } else {
        pages_.insert(pages_.begin() + index, std::move(page));
    }
    return inserted;
}

void PreparedPages::RemovePage(int index) {
    PageAt(index);  // range check
    pages_.erase(pages_.begin() + index);
}

void PreparedPages::AppendObject(int index, View& view) {
    PreparedPage& page = PageAt(index);
    EngineStream data(std::move(page.pageData));
    data.Seek(data.Size());
    WritePageObject(data, view);
    page.pageData = data.TakeBytes();
}

Page& PreparedPages::ExpandPage(int index) {
    PreparedPage& record = PageAt(index);
    record.livePage.reset();
    ModelState& state = report_->State();
    auto views = ReadPageObjects(record.pageData, state.factory, index + 1);
    auto live = std::make_unique<Page>(state, report_);
    live->ChangePaper(record.paperCode, record.paperWidth, record.paperHeight, record.paperBin,
                      record.orientation);
    live->leftMargin = record.margins.left;
    live->topMargin = record.margins.top;
    live->rightMargin = record.margins.right;
    live->bottomMargin = record.margins.bottom;
    live->marginsActive = record.marginsActive ? -1 : 0;
    live->metrics = record.metrics;
    for (auto& view : views) {
        if (measure_ != nullptr) {
            if (auto* memo = dynamic_cast<MemoView*>(view.get())) SettleAutoWidth(*memo, *measure_);
        }
        live->Add(std::move(view));
    }
    record.livePage = std::move(live);
    return *record.livePage;
}

Page& PreparedPages::LivePage(int index) {
    PreparedPage& record = PageAt(index);
    if (record.livePage) return *record.livePage;
    return ExpandPage(index);
}

void PreparedPages::ReleasePage(int index) {
    PageAt(index).livePage.reset();
}

void PreparedPages::ReleaseAllPages() {
    for (auto& page : pages_)
        page->livePage.reset();
}

void PreparedPages::StorePage(int index) {
    PreparedPage& record = PageAt(index);
    if (!record.livePage) return;
    EngineStream data(EmptyPageData());
    data.Seek(data.Size());
    for (const auto& view : record.livePage->Objects()) {
        view->expandedMemo = view->memo;  // an edited page keeps what the user typed
        WritePageObject(data, *view);
    }
    record.pageData = data.TakeBytes();
}

Page* PreparedPages::PageToDraw(int index) {
    PreparedPage& record = PageAt(index);
    if (!record.visible) {
        record.livePage.reset();
        return nullptr;
    }
    return &LivePage(index);
}

bool PreparedPages::HitTest(int index, int32_t x, int32_t y, bool click, int& cursor) {
    const PreparedPage& record = PageAt(index);
    Page& live = LivePage(index);
    const SheetMapping mapping = SheetMappingOf(record);
    const auto& objects = live.Objects();
    for (auto it = objects.rbegin(); it != objects.rend(); ++it) {
        View& view = **it;
        if (!Contains(MappedRect(view, mapping), x, y)) continue;
        if (click) {
            if (!report_->onObjectClick) return false;
            report_->onObjectClick(view);
            return true;
        }
        if (!report_->onMouseOverObject) return false;
        report_->onMouseOverObject(view, cursor);
        return true;
    }
    return false;
}

void PreparedPages::SetCompressor(Compressor* compressor) {
    compressor_ = compressor != nullptr ? compressor : &Compressor::Disabled();
}

}  // namespace report
