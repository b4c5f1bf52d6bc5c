// ReportBuilder: printing, measuring and placing a band.
#include "report/core/building/report_builder.h"

#include <algorithm>
#include <exception>
#include <utility>

#include "report/core/base/engine_strings.h"
#include "report/core/base/errors.h"
#include "report/core/base/text.h"
#include "report/core/building/object_measurer.h"
#include "report/core/building/prepared_sink.h"
#include "report/core/building/report_builder_parts.h"
#include "report/core/building/view_build_access.h"
#include "report/core/model/band_view.h"
#include "report/core/model/report.h"

namespace report {

using namespace build_detail;

bool ReportBuilder::PrintBand(Band* band) {
    if (band == nullptr || !band->Exists() || terminated_) return false;
    PageBuild& page = *page_;
    if (page.recording) {
        page.actions.push_back(
            {DeferredAction::Kind::PrintBand, band, band->lineNumber, band->lineThrough, nullptr});
        // The data loop being recorded tests its groups now: they start from this record.
        if (band->kind == bt::kGroupHeader) ResetAggregates(*band);
        return true;
    }
    currentBand_ = band;
    currentView_ = band->view;
    band->computedHeight = -1;
    band->pageBreaksAsked = 0;
    band->columnBreaksAsked = 0;
    band->positionKept = false;
    band->fitted = true;
    if (report_->onBeginBand) report_->onBeginBand(*band);
    Band* last = page.lastPlaced;
    if (last != nullptr && last != band && last->acrossPosition > 1) {
        page.curX = last->acrossStart;
        page.curY += last->computedHeight >= 0 ? last->computedHeight : last->height;
        last->acrossPosition = 1;
    }
    try {
        RunScript(band->script, band->view);
    } catch (const std::exception& error) {
        HandleError(error);
    }
    if (terminated_) return false;
    currentBand_ = band;
    currentView_ = band->view;
    const int yAfterScript = page.curY;
    for (int i = band->pageBreaksAsked; i > 0; --i) {
        page.columnIndex = page.columns - 1;
        StartNewColumn(*band);
    }
    for (int i = band->columnBreaksAsked; i > 0; --i)
        StartNewColumn(*band);
    if (band->positionKept) page.curY = yAfterScript;
    currentBand_ = band;
    currentView_ = band->view;

    if (band->IsVisible()) {
        if (band->kind == bt::kColumnHeader) page.columnTop = page.curY;
        if (band->kind == bt::kPageFooter) band->top = page.bottomY;
        band->computedHeight = band->height;
        const int kind = band->kind;
        if (kind != bt::kPageFooter && kind != bt::kOverlay && kind != bt::kColumnFooter &&
            kind != bt::kNone) {
            const int h = MeasureBand(*band);
            // At the top of a fresh column a break would only leave a blank page: a band
            // taller than a whole page prints there.
            if (page.curY + h > page.bottomY && !band->breaked &&
                (page.page->isSubReportPage || !page.AtFreshTop())) {
                if (page.page->isSubReportPage) {
                    // The sub-report logic starts the new page and prints the band again.
                    band->fitted = false;
                    if (report_->onEndBand) report_->onEndBand(*band);
                    return false;
                }
                FitTest(*band, page.curY, kImpossibleHeight, false);
            }
        }
        if (band->IsDataBand() && band->DataSource() != nullptr && band->next != nullptr &&
            band->next->DataSource() == nullptr) {
            // They print as one record. On a sub-report page, one of them whose own
            // sub-reports go on on the next page prints again there, from itself on.
            std::vector<Band*> record = {band};
            for (Band* b = band->next; b != nullptr && b->DataSource() == nullptr; b = b->next)
                record.push_back(b);
            auto from = std::find(record.begin(), record.end(), page.suspendedBand);
            if (from == record.end()) from = record.begin();
            for (auto it = from; it != record.end() && !terminated_; ++it) {
                (*it)->fitted = true;
                PlaceBand(**it);
                if (!(*it)->fitted && page.page->isSubReportPage) {
                    if (report_->onEndBand) report_->onEndBand(*band);
                    return false;
                }
            }
        } else {
            PlaceBand(*band);
            if (!band->fitted && page.page->isSubReportPage) {
                // Its sub-reports go on on the next page: the band prints again there.
                if (report_->onEndBand) report_->onEndBand(*band);
                return false;
            }
            PrintChildBand(*band);
            // Bands that a page break prints itself (and their children) would start pages
            // forever: their FormNewPage has no effect there.
            const bool pageBand = kind == bt::kPageHeader || kind == bt::kPageFooter ||
                                  kind == bt::kOverlay || kind == bt::kColumnHeader ||
                                  kind == bt::kColumnFooter;
            if (!band->IsDataBand() && kind != bt::kGroupHeader && band->formNewPage && !pageBand &&
                !startingPage_ && !printingFooters_)
                StartNewPage();
        }
    } else {
        if (band->printChildIfInvisible) PrintChildBand(*band);
        if (band->IsDataBand()) UpdateAggregates(*band);
    }
    if (!repeatingHeaders_) {
        if (band->kind != bt::kPageFooter || pageIndex_ == pages_.PageCount() - 1)
            ResetAggregates(*band);
    }
    if (report_->onEndBand) report_->onEndBand(*band);
    return band->fitted;
}

void ReportBuilder::PrintChildBand(Band& band) {
    // A script may have named another child: it is looked up again.
    if (band.childBand == nullptr && !band.childBandName.empty())
        band.childBand = FindChildBand(*page_, band);
    Band* child = band.childBand;
    if (child == nullptr || terminated_) return;
    childChain_.push_back(&band);
    if (std::find(childChain_.begin(), childChain_.end(), child) != childChain_.end())
        HandleError(ChildLoopError(childChain_, *child));
    else
        PrintBand(child);
    childChain_.pop_back();
}

int ReportBuilder::MeasureOne(Band& band) {
    if (!band.stretched) {
        band.computedHeight = band.height;
        return band.height;
    }
    if (band.sharesCrossObjects) {
        band.computedHeight = MeasureCross(band);
        return band.computedHeight;
    }
    int height = band.height;
    Band* savedBand = currentBand_;
    currentBand_ = &band;
    for (View* object : band.objects) {
        auto* stretchable = dynamic_cast<Stretchable*>(object);
        if (stretchable == nullptr || ParentBand(*object) != &band) continue;
        StateOf(*object).savedHeight = object->height;
        currentView_ = object;
        try {
            const int needed = MeasureText(*object, *stretchable);
            if (needed > 0) height = std::max(height, object->top + needed);
        } catch (const std::exception& error) {
            HandleError(error);
            break;
        }
    }
    currentBand_ = savedBand;
    currentView_ = savedBand != nullptr ? savedBand->view : nullptr;
    band.computedHeight = height;
    return height;
}

int ReportBuilder::MeasureBand(Band& band) {
    if (band.IsDataBand() && band.DataSource() != nullptr && band.next != nullptr &&
        band.next->DataSource() == nullptr) {
        int sum = MeasureOne(band);
        for (Band* b = band.next; b != nullptr && b->DataSource() == nullptr; b = b->next)
            sum += MeasureOne(*b);
        return sum;
    }
    if (band.childBand != nullptr) {
        int sum = 0;
        int guard = 0;
        for (Band* b = &band; b != nullptr && guard < kBandTypeCount * 8; b = b->childBand) {
            ++guard;
            if (b->IsVisible()) sum += MeasureOne(*b);
            if (b->childBand == &band) break;
        }
        return sum;
    }
    return MeasureOne(band);
}

void ReportBuilder::PlaceBand(Band& band) {
    if (!band.Exists() || terminated_) return;
    PageBuild& page = *page_;
    const int originalTop = band.top;
    const bool fixed =
        band.kind == bt::kPageFooter || band.kind == bt::kOverlay || band.kind == bt::kNone;
    if (!fixed) band.top = page.curY;
    if (band.computedHeight < 0) band.computedHeight = band.height;
    subReportTookOver_ = false;
    subReportsSuspended_ = false;
    int advance = 0;
    const auto placeObjects = [&] {
        PlaceObjects(band);
        if (band.sharesCrossObjects && !subReportTookOver_) PlaceCross(band);
    };
    if (band.stretched) {
        const int h = band.computedHeight;
        std::vector<std::pair<View*, int>> heights;
        for (View* object : band.objects)
            heights.emplace_back(object, object->height);
        if (band.height < h) {
            for (View* object : band.objects) {
                if (IsStretchable(*object) && object->HasFlag(view_flag::kStretched) &&
                    object->height > 0)
                    object->height = h - object->top;
            }
        }
        if (!band.breaked && !page.AtFreshTop()) FitTest(band, page.curY, h, false);
        band.top = page.curY;
        band.drawnHeight = h;
        if (band.breaked) {
            PlaceSplitBand(band);
        } else {
            placeObjects();
            advance = h;
        }
        for (auto& [object, height] : heights)
            object->height = height;
    } else {
        if (!fixed && !band.breaked) {
            if (!page.AtFreshTop()) FitTest(band, page.curY, band.height, false);
            band.top = page.curY;
        }
        band.drawnHeight = band.height;
        if (band.breaked) {
            band.drawnHeight = band.computedHeight;
            PlaceSplitBand(band);
        } else {
            placeObjects();
            if (!fixed) advance = band.height;
        }
    }
    if (subReportTookOver_) advance = 0;
    if (subReportsSuspended_) {
        // Placed again on the next page, where it is counted.
        band.fitted = false;
        band.top = originalTop;
        return;
    }
    page.curY += advance;
    if (page.lastPlaced != &band) band.acrossPosition = 1;
    page.lastPlaced = &band;
    BandView* object = band.view;
    if (object->columns > 1 && object->newColumnAfter == 1) {
        if (band.acrossPosition == 1) band.acrossStart = page.curX;
        const int p = band.acrossPosition++;
        if (object->columns < p + 1) {
            page.curX = band.acrossStart;
            band.acrossPosition = 1;
        } else {
            page.curX = band.acrossStart + (object->columnWidth + object->columnGap) * p;
            page.curY -= band.computedHeight;
        }
    }
    band.top = fixed ? band.top : originalTop;
    if (band.IsDataBand()) UpdateAggregates(band);
}

}  // namespace report
