// ReportBuilder: vertical bands, whose objects print once per cross record across a
// horizontal band.
#include "report/core/building/report_builder.h"

#include <algorithm>
#include <exception>

#include "report/core/building/object_measurer.h"
#include "report/core/building/prepared_sink.h"
#include "report/core/building/report_builder_parts.h"
#include "report/core/building/view_build_access.h"
#include "report/core/data/dataset.h"
#include "report/core/model/band_view.h"
#include "report/core/model/report.h"

namespace report {

using namespace build_detail;

Dataset* ReportBuilder::CrossSourceOf(Band& band) {
    Band* crossData = Head(bt::kCrossData);
    if (crossData != nullptr && crossData->DataSource() != nullptr) return crossData->DataSource();
    return band.crossSource.Get();
}

int ReportBuilder::MeasureCross(Band& band) {
    PageBuild& page = *page_;
    int height = band.height;
    Band* crossData = Head(bt::kCrossData);
    Dataset* source = CrossSourceOf(band);
    page.columnCounter = 1;
    if (report_->onBeginColumn) report_->onBeginColumn(band);
    if (crossData == nullptr || source == nullptr) return height;
    Band* savedBand = currentBand_;
    source->First();
    while (!source->Eof() && !terminated_) {
        int width = crossData->width;  // the measure does not use it
        if (report_->onPrintColumn) report_->onPrintColumn(page.columnCounter, width);
        currentBand_ = &band;
        crossColumn_ = page.columnCounter;
        crossHorizontal_ = &band;
        for (View* object : band.objects) {
            auto* stretchable = dynamic_cast<Stretchable*>(object);
            if (stretchable == nullptr) continue;
            currentView_ = object;
            try {
                ExpandText(*object);
            } catch (const std::exception& error) {
                HandleError(error);
                break;
            }
            height = std::max(height, object->top + measurer_.CalcHeight(*stretchable));
        }
        crossColumn_ = 0;
        crossHorizontal_ = nullptr;
        ++page.columnCounter;
        source->Next();
    }
    currentBand_ = savedBand;
    currentView_ = savedBand != nullptr ? savedBand->view : nullptr;
    return height;
}

void ReportBuilder::PlaceCross(Band& band) {
    PageBuild& page = *page_;
    Band* header = Head(bt::kCrossHeader);
    Band* crossData = Head(bt::kCrossData);
    Band* footer = Head(bt::kCrossFooter);
    page.columnCounter = 1;
    const int rememberedIndex = pageIndex_;
    // LINE# of header and footer cells is the row's.
    Scoped<Band*> row(crossRow_, &band);
    if (report_->onBeginColumn) report_->onBeginColumn(band);

    // The objects that `vertical` shares with this band, at page position x.
    const auto outputShared = [&](Band* vertical, int x) {
        for (View* object : band.objects) {
            if (terminated_) return;
            if (StateOf(*object).crossBand != vertical) continue;
            currentBand_ = vertical == crossData ? &band : vertical;
            OutputObjectAt(band, *object, x + object->left);
        }
        currentBand_ = &band;
    };
    int x = crossData != nullptr ? crossData->left : page.leftX;
    if (header != nullptr) {
        outputShared(header, header->left);
        x = header->left + header->width;
    }
    // Past the right edge the row goes on on the next output page to the right.
    const auto overflow = [&](int width) {
        if (x + width <= page.rightX) return;
        ++pageIndex_;
        x = page.leftX;
        if (pageIndex_ >= pages_.PageCount()) {
            const int curY = page.curY;
            AddPreparedPage();
            PrintBand(Head(bt::kOverlay));
            page.curY = page.topY;
            PrintBand(Head(bt::kPageHeader));
            page.curY = curY;
            currentBand_ = &band;
            currentView_ = band.view;
        }
        if (header != nullptr && header->HasFlag(view_flag::kRepeatHeader)) {
            outputShared(header, x);
            x += header->width;
        }
    };
    Dataset* source = CrossSourceOf(band);
    if (crossData != nullptr && source != nullptr) {
        source->First();
        while (!source->Eof() && !terminated_) {
            int width = crossData->width;
            if (report_->onPrintColumn) report_->onPrintColumn(page.columnCounter, width);
            try {
                RunScript(crossData->script, crossData->view);
            } catch (const std::exception& error) {
                HandleError(error);
                break;
            }
            overflow(width);
            crossColumn_ = page.columnCounter;
            crossHorizontal_ = &band;
            outputShared(crossData, x);
            crossColumn_ = 0;
            crossHorizontal_ = nullptr;
            UpdateAggregates(*crossData);
            if (band.IsDataBand()) UpdateAggregates(band, page.columnCounter);
            x += width;
            ++page.columnCounter;
            source->Next();
        }
    }
    if (footer != nullptr && !terminated_) {
        overflow(footer->width);
        outputShared(footer, x);
        ResetAggregates(*footer);
    }
    currentBand_ = &band;
    currentView_ = band.view;
    pageIndex_ = rememberedIndex;
}

}  // namespace report
