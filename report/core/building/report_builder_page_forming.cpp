// ReportBuilder: forming a design page, and page and column breaks.
#include "report/core/building/report_builder.h"

#include "report/core/building/prepared_sink.h"
#include "report/core/building/report_builder_parts.h"
#include "report/core/model/band_view.h"
#include "report/core/model/report.h"

namespace report {

using namespace build_detail;

Band* ReportBuilder::Head(int kind) const {
    Band* head = page_->heads[static_cast<size_t>(kind)];
    return head != nullptr && head->Exists() ? head : nullptr;
}

int ReportBuilder::ColumnFooterHeight() const {
    Band* footer = Head(bt::kColumnFooter);
    return footer != nullptr ? footer->height : 0;
}

void ReportBuilder::AddPreparedPage() {
    pages_.AddPage(*page_->page);
    BeginPage(pageIndex_);
}

void ReportBuilder::BuildPage(PageBuild& build) {
    page_ = &build;
    if (build.page->isSubReportPage) {
        // Formed inside a host band, whose page and footers are not this page's. Its summary
        // closes it there.
        PrintBand(Head(bt::kReportTitle));
        RunDataLevel(1);
        PrintBand(Head(bt::kReportSummary));
        return;
    }
    RunScript(build.script, build.page);
    if (appendToPrevious_ && savedCurY_ == savedBottomY_) {
        appendToPrevious_ = false;
        footerShownOnLast_ = false;
        pageIndex_ = pages_.PageCount();
    }
    Band* pageFooter = Head(bt::kPageFooter);
    build.bottomY = appendToPrevious_ && footerShownOnLast_
                        ? savedBottomY_
                        : build.baseBottom - (pageFooter != nullptr ? pageFooter->height : 0);
    build.columnIndex = 0;
    build.curX = build.leftX;
    if (appendToPrevious_) {
        build.curY = savedCurY_;
        build.freshY = build.topY;
    } else {
        AddPreparedPage();
        build.curY = build.topY;
        build.freshY = build.topY;
        Scoped<bool> starting(startingPage_, true);
        PrintBand(Head(bt::kOverlay));
        PrintBand(Head(bt::kNone));
    }
    build.columnTop = build.curY;
    const int indexBeforeTitle = pageIndex_;
    const int yBeforeTitle = build.curY;
    PrintBand(Head(bt::kReportTitle));
    // The title is content: a band after it does not stand at the top of a fresh page.
    const bool titlePrinted = pageIndex_ != indexBeforeTitle || build.curY != yBeforeTitle;
    if (pageIndex_ == indexBeforeTitle) {
        Scoped<bool> starting(startingPage_, true);
        Band* pageHeader = Head(bt::kPageHeader);
        if (pageHeader != nullptr && pageHeader->HasFlag(view_flag::kOnFirstPage))
            PrintBand(pageHeader);
        build.columnTop = build.curY;
        PrintBand(Head(bt::kColumnHeader));
    }
    if (!appendToPrevious_ && !titlePrinted) build.freshY = build.curY;
    RunDataLevel(1);

    const int indexAtEnd = pageIndex_;
    {
        Scoped<bool> footers(printingFooters_, true);
        PrintBand(Head(bt::kColumnFooter));
    }
    {
        Band* columnFooter = Head(bt::kColumnFooter);
        const int savedHeight = columnFooter != nullptr ? columnFooter->height : 0;
        if (columnFooter != nullptr) columnFooter->height = 0;
        PrintBand(Head(bt::kReportSummary));
        if (columnFooter != nullptr) columnFooter->height = savedHeight;
    }
    // A form that ended in another column than the first leaves its page full: the next form
    // starts a new page (the bottom above the page footer, which BuildPage compares with).
    savedCurY_ = build.columnIndex > 0 ? build.bottomY : build.curY;
    savedBottomY_ = build.bottomY;
    build.columnIndex = 0;
    build.curX = build.leftX;
    footerShownOnLast_ = false;
    pageFooter = Head(bt::kPageFooter);
    if (pageFooter != nullptr &&
        ((pageIndex_ == 0 && pageFooter->HasFlag(view_flag::kOnFirstPage)) ||
         pageFooter->HasFlag(view_flag::kOnLastPage))) {
        footerShownOnLast_ = true;
        const uint16_t flags = pageFooter->flags;
        pageFooter->flags |= view_flag::kOnFirstPage;
        PrintPageFooters();
        pageFooter->flags = flags;
    }
    EndPage(pageIndex_);
    pageIndex_ = indexAtEnd + 1;
}

bool ReportBuilder::FitTest(Band& band, int top, int height, bool testOnly) {
    if (band.kind == bt::kColumnFooter) return false;
    const bool fits = page_->bottomY >= top + height + ColumnFooterHeight();
    // A sub-report page never breaks by itself: its host starts the new page.
    if (page_->page->isSubReportPage) testOnly = true;
    if (!fits && !testOnly) {
        band.fitted = false;
        StartNewColumn(band);
        currentBand_ = &band;
        currentView_ = band.view;
    }
    return !fits;
}

void ReportBuilder::StartNewPage() {
    PageBuild& page = *page_;
    NotifyProgress(pageIndex_ + 1);
    if (!printingFooters_) {
        Scoped<bool> footers(printingFooters_, true);
        PrintBand(Head(bt::kColumnFooter));
    }
    PrintPageFooters();
    page.bottomY =
        page.baseBottom - (Head(bt::kPageFooter) != nullptr ? Head(bt::kPageFooter)->height : 0);
    AddPreparedPage();
    appendToPrevious_ = false;
    Scoped<bool> starting(startingPage_, true);
    PrintBand(Head(bt::kOverlay));
    page.curY = page.topY;
    page.freshY = page.topY;
    PrintBand(Head(bt::kPageHeader));
    page.columnTop = page.curY;
    PrintBand(Head(bt::kColumnHeader));
    page.freshY = page.curY;
}

void ReportBuilder::StartNewColumn(Band& band) {
    PageBuild& page = *page_;
    Scoped<bool> starting(startingPage_, true);
    // A column whose top leaves no room (below a title taller than the page) is no column.
    const bool columnHasRoom = page.columnTop < page.bottomY - ColumnFooterHeight();
    if (page.columnIndex < page.columns - 1 && columnHasRoom) {
        {
            Scoped<bool> footers(printingFooters_, true);
            PrintBand(Head(bt::kColumnFooter));
        }
        ++page.columnIndex;
        page.curX += page.columnWidth + page.columnGap;
        page.curY = page.columnTop;
        page.freshY = page.curY;
        PrintBand(Head(bt::kColumnHeader));
        page.freshY = page.curY;
    } else {
        StartNewPage();
    }
    if (printingFooters_) return;
    Scoped<bool> repeat(repeatingHeaders_, true);
    Band* data = band.IsDataBand() ? &band : band.dataBand;
    if (data != nullptr && band.kind != bt::kGroupHeader) {
        for (Band* g = data->firstGroup; g != nullptr; g = g->nextGroup) {
            if (g != &band && g->HasFlag(view_flag::kRepeatHeader)) PrintBand(g);
        }
    }
    if (band.IsDataBand() && band.header != nullptr &&
        band.header->HasFlag(view_flag::kRepeatHeader))
        PrintBand(band.header);
    page.freshY = page.curY;
    currentBand_ = &band;
    currentView_ = band.view;
}

void ReportBuilder::PrintPageFooters() {
    PageBuild& page = *page_;
    page.columnIndex = 0;
    page.curX = page.leftX;
    Band* footer = Head(bt::kPageFooter);
    if (pageIndex_ > 0 || (footer != nullptr && footer->HasFlag(view_flag::kOnFirstPage))) {
        Scoped<bool> footers(printingFooters_, true);
        while (pageIndex_ < pages_.PageCount() && !terminated_) {
            if (!(appendToPrevious_ && footerShownOnLast_)) {
                EndPage(pageIndex_);
                PrintBand(footer);
            }
            ++pageIndex_;
        }
    }
    pageIndex_ = pages_.PageCount();
}

}  // namespace report
