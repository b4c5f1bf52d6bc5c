// ReportBuilder: a band allowed to split (Breaked) is placed across column and page breaks.
#include "report/core/building/report_builder.h"

#include <algorithm>
#include <exception>

#include "report/core/building/object_measurer.h"
#include "report/core/building/report_builder_parts.h"
#include "report/core/building/view_build_access.h"
#include "report/core/model/band_view.h"
#include "report/core/model/memo_view.h"

namespace report {

using namespace build_detail;

void ReportBuilder::PlaceSplitBand(Band& band) {
    PageBuild& page = *page_;
    struct Rect {
        View* object;
        int left, top, width, height;
        bool preBroken;
    };
    std::vector<Rect> saved;
    std::vector<View*> remaining;
    for (View* object : band.objects) {
        auto* memo = dynamic_cast<MemoView*>(object);
        saved.push_back({object, object->left, object->top, object->width, object->height,
                         memo != nullptr && memo->preBroken});
        if (!(band.sharesCrossObjects && StateOf(*object).crossBand != nullptr))
            remaining.push_back(object);
    }
    const auto restore = [&] {
        for (const Rect& r : saved) {
            r.object->left = r.left;
            r.object->top = r.top;
            r.object->width = r.width;
            r.object->height = r.height;
            if (auto* memo = dynamic_cast<MemoView*>(r.object)) memo->preBroken = r.preBroken;
        }
    };
    band.top = page.curY;
    if (page.curY + band.drawnHeight <= page.bottomY - ColumnFooterHeight()) {
        PlaceObjects(band);
        page.curY += band.drawnHeight;
        restore();
        return;
    }
    // The text is expanded and measured once, then cut where each page ends.
    for (View* object : remaining) {
        auto* memo = dynamic_cast<MemoView*>(object);
        if (memo == nullptr) continue;
        currentView_ = object;
        try {
            object->build.actualHeight = MeasureText(*object, *memo);
        } catch (const std::exception& error) {
            HandleError(error);
            restore();
            return;
        }
        if (object->HasFlag(view_flag::kStretched))
            object->height = std::max(object->height, object->build.actualHeight);
    }
    currentView_ = band.view;
    Scoped<Band*> measured(splitBand_, &band);
    int used = 0;
    // Whether the band starts at the top of a column: only there may a part that cannot be cut
    // print whole (it would not fit on any page).
    bool freshPage = page.AtFreshTop();
    while (!remaining.empty() && !terminated_) {
        band.top = page.curY;
        const int room = page.bottomY - ColumnFooterHeight() - band.top - 2;
        if (room <= 0 && freshPage) {
            // Not even an empty page has room: what is left prints as it stands.
            for (View* object : remaining)
                OutputObject(band, *object);
            break;
        }
        if (room <= 0) {
            FitTest(band, page.curY, kImpossibleHeight, false);
            freshPage = true;
            continue;
        }
        std::vector<View*> next;
        used = 0;
        bool printedHere = false;
        for (View* object : remaining) {
            if (terminated_) break;
            const int bottom = object->top + object->height;
            if (bottom <= room) {
                OutputObject(band, *object);
                used = std::max(used, bottom);
                printedHere = true;
            } else if (object->top < room) {
                auto* memo = dynamic_cast<MemoView*>(object);
                const int part = room - object->top;
                StringList rest;
                bool cut = false;
                if (memo != nullptr) {
                    rest = measurer_.SplitAt(*memo, part);
                    cut = !ExpandedMemo(*object).empty();
                }
                if (cut) {
                    const int height = object->height;
                    object->height = part;
                    object->build.drawMode = StretchDrawMode::kDrawFitting;
                    OutputObject(band, *object);
                    object->build.drawMode = StretchDrawMode::kDraw;
                    used = std::max(used, room);
                    printedHere = true;
                    if (!rest.empty()) {
                        ExpandedMemo(*object) = std::move(rest);
                        // Whole lines were cut: the rest may need more than what was left.
                        object->height = std::max(height - part, measurer_.CalcHeight(*memo));
                        object->top = 0;
                        next.push_back(object);
                    }
                } else if (object->top <= 0 && freshPage) {
                    // Taller than a whole page and nothing of it can be cut: it prints whole
                    // rather than move on forever.
                    if (memo != nullptr) ExpandedMemo(*object) = std::move(rest);
                    OutputObject(band, *object);
                    used = std::max(used, bottom);
                    printedHere = true;
                } else {
                    if (memo != nullptr) ExpandedMemo(*object) = std::move(rest);
                    object->top = 0;
                    next.push_back(object);
                }
            } else {
                object->top -= room;
                next.push_back(object);
            }
        }
        remaining = std::move(next);
        if (!printedHere && freshPage && !remaining.empty()) {
            // A whole fresh page with nothing of the band on it: the next objects start here
            // rather than after a run of blank pages.
            int nearest = remaining.front()->top;
            for (View* object : remaining)
                nearest = std::min(nearest, object->top);
            for (View* object : remaining)
                object->top -= nearest;
            continue;
        }
        if (!remaining.empty() && !terminated_) {
            FitTest(band, page.curY, kImpossibleHeight, false);
            freshPage = true;
        }
    }
    restore();
    page.curY += used;
}

}  // namespace report
