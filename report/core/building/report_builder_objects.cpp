// ReportBuilder: output of the objects of a placed band.
#include "report/core/building/report_builder.h"

#include <exception>

#include "report/core/building/prepared_sink.h"
#include "report/core/building/report_builder_parts.h"
#include "report/core/building/view_build_access.h"
#include "report/core/language/engine_core.h"
#include "report/core/model/band_view.h"
#include "report/core/model/memo_view.h"
#include "report/core/model/report.h"
#include "report/core/model/subreport_view.h"

namespace report {

using namespace build_detail;

void ReportBuilder::PlaceObjects(Band& band) {
    // The band's other objects were printed with the start of its sub-reports.
    const bool resuming = page_->suspendedBand == &band;
    for (size_t i = 0; i < band.objects.size(); ++i) {
        if (terminated_) return;
        View& object = *band.objects[i];
        // Objects shared with vertical bands print once per cross record (PlaceCross).
        const ObjectState& state = StateOf(object);
        if (band.sharesCrossObjects && state.crossBand != nullptr) continue;
        if (resuming && !state.subReport) continue;
        if (state.subReport) {
            if (!object.IsVisible()) continue;
            RunSubReports(band, i);
            return;
        }
        OutputObject(band, object);
    }
}

void ReportBuilder::OutputObjectAt(Band& band, View& object, int left) {
    const int saved = object.left;
    object.left = left - (page_->curX - page_->leftX);
    OutputObject(band, object);
    object.left = saved;
}

void ReportBuilder::NotifyViewPrint(View& printed) {
    for (View* listener : notifyViews_)
        listener->NotifyViewPrint(printed);
}

void ReportBuilder::OutputObject(Band& band, View& object) {
    if (twoPass_ && firstPass_) {
        // The first pass only counts pages: scripts still run, nothing is written.
        if (band.breaked) return;
        try {
            currentView_ = &object;
            RunScript(StateOf(object).script, &object);
        } catch (const std::exception& error) {
            HandleError(error);
        }
        currentView_ = band.view;
        return;
    }
    const int dx = page_->curX - page_->leftX;
    const int dy = band.top;
    object.left += dx;
    object.top += dy;
    try {
        WritePrepared(band, object);
    } catch (const std::exception& error) {
        HandleError(error);
    }
    object.left -= dx;
    object.top -= dy;
    currentView_ = band.view;
}

void ReportBuilder::ExpandText(View& object) {
    MemoView* memo = StateOf(object).memo;
    if (memo == nullptr) {
        ExpandedMemo(object) = object.memo;
        return;
    }
    ExpandedMemo(object) =
        core_.Resolver().ExpandMemo(object.memo, object.HasFlag(view_flag::kTextOnly));
}

void ReportBuilder::WritePrepared(Band& band, View& object) {
    currentView_ = &object;
    ObjectState& state = StateOf(object);
    MemoView* memo = state.memo;
    if (memo != nullptr && keepExpanded_) {
        // A split band measured and cut the text already.
    } else if (memo != nullptr) {
        RunScript(state.script, &object);
        bool handled = false;
        if (report_->onBeforePrint) {
            StringList& expanded = ExpandedMemo(object);
            expanded = object.memo;
            report_->onBeforePrint(expanded, object);
            handled = expanded != object.memo;
        }
        if (!handled) ExpandText(object);
    } else {
        ExpandedMemo(object) = object.memo;
        if (report_->onBeforePrint) report_->onBeforePrint(ExpandedMemo(object), object);
        RunScript(state.script, &object);
    }
    if (!object.IsVisible()) return;

    // Output-only changes, put back below.
    const std::string tag = object.tag;
    const int32_t fill = object.fillColor;
    const int32_t top = object.top, left = object.left, width = object.width;
    Font font;
    if (memo != nullptr) {
        font = memo->font;
        if (!state.highlight.empty()) {
            const Variant lit = core_.SharedParser().EvaluatePostfix(state.highlight);
            if (lit.IsNumeric() ? lit.ToReal() != 0 : lit.ToBool()) {
                memo->font.style = memo->highlight.fontStyle;
                memo->font.color = memo->highlight.fontColor;
                object.fillColor = memo->highlight.fillColor;
            }
        }
    }
    if (object.tag.find('[') != std::string::npos) core_.Resolver().ExpandText(object.tag);
    const int bandBottom = band.top + (band.drawnHeight > 0 ? band.drawnHeight : band.height);
    switch (static_cast<BandAlign>(object.bandAlign)) {
        case BandAlign::baBottom:
            object.top = bandBottom - object.height;
            break;
        case BandAlign::baTop:
            object.top = band.top;
            break;
        case BandAlign::baWidth:
            if (IsVerticalBand(band.kind)) object.width = band.width;
            break;
        default:
            break;
    }
    // Only Suppress compares with the text printed last.
    const bool suppress = memo != nullptr && object.HasFlag(view_flag::kSuppress);
    std::string printed;
    if (suppress) {
        for (const std::string& line : ExpandedMemo(object)) {
            printed += line;
            printed += "\r\n";
        }
    }
    const bool suppressed = suppress && state.hasLastPrinted && state.lastPrinted == printed;
    if (!suppressed) {
        pages_.WriteObject(pageIndex_, object);
        if (suppress) state.lastPrinted = std::move(printed);
        state.hasLastPrinted = true;
        if (memo != nullptr && !keepExpanded_) NotifyViewPrint(object);
    }
    object.tag = tag;
    object.fillColor = fill;
    object.top = top;
    object.left = left;
    object.width = width;
    if (memo != nullptr) memo->font = font;
}

}  // namespace report
