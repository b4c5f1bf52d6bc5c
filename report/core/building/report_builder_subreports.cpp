// ReportBuilder: sub-reports, other design pages formed inside a band of their host and
// replayed side by side.
#include "report/core/building/report_builder.h"

#include <algorithm>
#include <climits>

#include "report/core/building/report_builder_parts.h"
#include "report/core/data/dataset.h"
#include "report/core/model/band_view.h"
#include "report/core/model/report.h"
#include "report/core/model/subreport_view.h"

namespace report {

using namespace build_detail;

ReportBuilder::PageBuild* ReportBuilder::BuildOfPage(int pageNumber) {
    if (pageNumber < 0 || static_cast<size_t>(pageNumber) >= report_->pages.Count()) return nullptr;
    Page* page = &report_->pages[static_cast<size_t>(pageNumber)];
    for (auto& build : pageBuilds_)
        if (build->page == page) return build.get();
    return nullptr;
}

void ReportBuilder::RunSubReports(Band& band, size_t firstObject) {
    PageBuild& host = *page_;
    Band* savedBand = currentBand_;
    std::vector<PageBuild*> subs;
    const bool resuming = host.suspendedBand == &band;
    if (resuming) {
        // Printed again on a new page: the sub-reports go on from its top.
        subs = std::move(host.suspendedSubs);
        host.suspendedBand = nullptr;
        host.suspendedSubs.clear();
        for (PageBuild* sub : subs) {
            sub->curY = band.top;
            sub->bottomY = host.bottomY;
        }
    }
    // Each sub-report's page form is recorded first.
    for (size_t i = firstObject; !resuming && i < band.objects.size() && !terminated_; ++i) {
        auto* object = dynamic_cast<SubReportView*>(band.objects[i]);
        if (object == nullptr || !object->IsVisible()) continue;
        PageBuild* target = BuildOfPage(object->subReportPage);
        if (target == nullptr || target == &host || target->recording) continue;
        if (std::find(subs.begin(), subs.end(), target) != subs.end()) continue;
        target->actions.clear();
        target->replayed = 0;
        target->suspendedBand = nullptr;
        target->suspendedSubs.clear();
        target->curY = object->top + band.top;
        target->bottomY = host.bottomY;
        target->curX = host.curX + object->left;
        target->leftX = 0;
        target->columns = 1;
        target->columnIndex = 0;
        target->lastPlaced = nullptr;
        target->recording = true;
        BuildPage(*target);
        target->recording = false;
        subs.push_back(target);
    }
    page_ = &host;
    int lowest = band.top + band.drawnHeight;
    bool stuck = false;
    const auto replay = [&](PageBuild& sub) {
        page_ = &sub;
        while (sub.replayed < sub.actions.size() && !terminated_) {
            const DeferredAction& action = sub.actions[sub.replayed];
            if (action.kind == DeferredAction::Kind::PrintBand) {
                action.band->lineNumber = action.lineNumber;
                action.band->lineThrough = action.lineThrough;
                if (!PrintBand(action.band)) break;  // did not fit: again on the next page
                // A band taller than a page printed alone: the next ones keep the page bottom.
                if (stuck) sub.bottomY = host.bottomY;
            } else if (action.kind == DeferredAction::Kind::First) {
                action.source->First();
            } else if (action.kind == DeferredAction::Kind::Next) {
                action.source->Next();
            } else {
                action.source->Prior();
            }
            ++sub.replayed;
            ++replaySteps_;
        }
        lowest = std::max(lowest, sub.curY);
        page_ = &host;
        return sub.replayed >= sub.actions.size();
    };
    bool suspended = false;
    // Whether the sub-reports stand at the top of a fresh page: only there does a step that
    // does not fit show that it never will.
    bool fresh = !host.page->isSubReportPage && band.top <= host.freshY;
    while (!terminated_) {
        // Steps of sub-reports nested in these count as progress too.
        const size_t stepsBefore = replaySteps_;
        bool unfinished = false;
        for (PageBuild* sub : subs)
            if (!replay(*sub)) unfinished = true;
        const bool progressed = replaySteps_ != stepsBefore;
        if (!unfinished) break;
        if (stuck && !progressed) break;
        if (host.page->isSubReportPage && (progressed || !fresh)) {
            // A sub-report page cannot start a page: the band goes back to the outer
            // sub-report logic, which prints it again on its next page.
            host.suspendedBand = &band;
            host.suspendedSubs = subs;
            suspended = true;
            break;
        }
        if (!progressed && fresh) {
            // Taller than a whole page: it prints anyway rather than move on forever.
            stuck = true;
            for (PageBuild* sub : subs) {
                sub->curY = std::max(sub->curY, host.curY);
                sub->bottomY = INT_MAX / 2;
            }
            continue;
        }
        page_ = &host;
        StartNewPage();
        fresh = true;
        stuck = false;
        lowest = host.curY;
        for (PageBuild* sub : subs) {
            sub->curY = host.curY;
            sub->bottomY = host.bottomY;
        }
    }
    if (!suspended) {
        for (PageBuild* sub : subs) {
            sub->actions.clear();
            sub->replayed = 0;
            sub->suspendedBand = nullptr;
            sub->suspendedSubs.clear();
        }
    }
    page_ = &host;
    host.curY = lowest;
    subReportTookOver_ = true;
    subReportsSuspended_ = suspended;
    currentBand_ = savedBand;
    currentView_ = savedBand != nullptr ? savedBand->view : nullptr;
}

}  // namespace report
