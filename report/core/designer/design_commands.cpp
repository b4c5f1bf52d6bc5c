#include "report/core/designer/design_commands.h"

#include <algorithm>

#include "report/core/designer/design_document.h"
#include "report/core/model/band_view.h"
#include "report/core/model/model_state.h"
#include "report/core/model/page.h"
#include "report/core/model/report.h"
#include "report/core/model/subreport_view.h"

namespace report {

namespace {

constexpr int32_t kDefaultBandHeight = 40;

bool IsHorizontalBand(const View& view) {
    return view.objectType == object_type::kBand && !IsVerticalBand(view.frameTyp);
}

bool Allows(const View& view, uint16_t restriction) {
    return (view.restrictions & restriction) == 0;
}

int BandRank(int type) {
    const auto& order = BandOrder();
    for (size_t i = 0; i < order.size(); ++i)
        if (band_type::Code(order[i]) == type) return static_cast<int>(i);
    return static_cast<int>(order.size());
}

// The objects other than bands whose top lies on the band.
std::vector<View*> ObjectsOnBand(const Page& page, const View& band) {
    std::vector<View*> found;
    for (const auto& object : page.Objects()) {
        if (object->objectType == object_type::kBand) continue;
        if (object->top >= band.top && object->top < band.top + band.height)
            found.push_back(object.get());
    }
    return found;
}

// Moves bands down by their own amounts, each with the objects lying on it before any moved.
void ShiftBands(const Page& page, const std::vector<std::pair<View*, int32_t>>& shifts) {
    std::vector<std::pair<std::vector<View*>, int32_t>> groups;
    for (const auto& [band, dy] : shifts) {
        std::vector<View*> objects = ObjectsOnBand(page, *band);
        objects.push_back(band);
        groups.emplace_back(std::move(objects), dy);
    }
    for (const auto& [objects, dy] : groups)
        for (View* object : objects)
            object->top += dy;
}

// The model's object type of each kind the designer inserts.
uint8_t ObjectTypeOf(ObjectKind kind) {
    switch (kind) {
        case ObjectKind::Text:
            return object_type::kMemo;
        case ObjectKind::Picture:
            return object_type::kPicture;
        case ObjectKind::Line:
            return object_type::kLine;
        case ObjectKind::SubReport:
            return object_type::kSubReport;
        case ObjectKind::Band:
            break;
    }
    return object_type::kBand;
}

IntRect UsualSize(ObjectKind kind, const IntRect& area) {
    if (area.right > area.left || area.bottom > area.top) return area;
    int32_t width = 100, height = 20;
    if (kind == ObjectKind::Picture) height = 100;
    if (kind == ObjectKind::Line) height = 0;
    if (kind == ObjectKind::SubReport) width = 200, height = 40;
    return IntRect{area.left, area.top, area.left + width, area.top + height};
}

}  // namespace

const std::array<BandType, 21>& BandOrder() {
    using B = BandType;
    static const std::array<BandType, 21> order = {
        B::ReportTitle,   B::PageHeader,      B::ColumnHeader, B::MasterHeader, B::GroupHeader,
        B::MasterData,    B::DetailHeader,    B::DetailData,   B::DetailFooter, B::SubDetailHeader,
        B::SubDetailData, B::SubDetailFooter, B::GroupFooter,  B::MasterFooter, B::ReportSummary,
        B::ColumnFooter,  B::PageFooter,      B::Overlay,      B::Child,        B::CrossHeader,
        B::CrossData};
    return order;
}

size_t InsertObject(DesignDocument& document, ObjectKind kind, const IntRect& area,
                    BandType bandType) {
    Page& page = document.CurrentPage();
    ViewFactory& factory = page.State().factory;
    IntRect rect = UsualSize(kind, area);
    std::unique_ptr<View> created = factory.CreateViewByType(ObjectTypeOf(kind));
    View* band = nullptr;
    if (kind == ObjectKind::Band) {
        auto& bandView = static_cast<BandView&>(*created);
        bandView.SetBandType(bandType);
        const IntRect printable = page.PrintableArea();
        const int32_t height =
            area.bottom - area.top > 0 ? area.bottom - area.top : kDefaultBandHeight;
        int32_t top = printable.top;
        const int rank = BandRank(band_type::Code(bandType));
        if (IsVerticalBand(band_type::Code(bandType))) {
            rect =
                IntRect{area.left, printable.top, area.left + kDefaultBandHeight, printable.bottom};
        } else {
            for (const auto& object : page.Objects())
                if (IsHorizontalBand(*object) && BandRank(object->frameTyp) <= rank)
                    top = std::max(top, object->top + object->height);
            rect = IntRect{printable.left, top, printable.right, top + height};
        }
        band = created.get();
    }
    created->left = rect.left;
    created->top = rect.top;
    created->width = rect.right - rect.left;
    created->height = rect.bottom - rect.top;
    if (kind == ObjectKind::SubReport) {
        Report* report = page.OwnerReport();
        if (report != nullptr) {
            report->AddPage().GenerateName();
            static_cast<SubReportView&>(*created).subReportPage =
                static_cast<int32_t>(report->pages.Count() - 1);
        }
    }
    if (band != nullptr) {
        // Bands after it in the band order that stand below its top make room for it.
        std::vector<std::pair<View*, int32_t>> shifts;
        for (const auto& object : page.Objects())
            if (IsHorizontalBand(*object) && object->top >= band->top)
                shifts.emplace_back(object.get(), band->height);
        ShiftBands(page, shifts);
    }
    View& added = page.Add(std::move(created));
    added.GenerateName();
    if (band != nullptr) StackBands(page, band);
    const size_t index = page.ObjectCount() - 1;
    document.Select({index});
    return index;
}

bool MoveSelection(DesignDocument& document, int32_t dx, int32_t dy) {
    if (dx == 0 && dy == 0) return false;
    const Page& page = document.CurrentPage();
    std::vector<View*> moving;
    for (View* view : document.SelectedViews()) {
        if (!Allows(*view, restriction::kNotMovable)) continue;
        moving.push_back(view);
        if (view->objectType == object_type::kBand)
            for (View* object : ObjectsOnBand(page, *view))
                moving.push_back(object);
    }
    std::sort(moving.begin(), moving.end());
    moving.erase(std::unique(moving.begin(), moving.end()), moving.end());
    for (View* view : moving) {
        view->left += dx;
        view->top += dy;
    }
    return !moving.empty();
}

void SnapMove(const DesignDocument& document, int32_t grid, int32_t& dx, int32_t& dy) {
    const std::vector<View*> selected = document.SelectedViews();
    if (selected.empty() || grid <= 1) return;
    const View& anchor = *selected.front();
    dx = SnapToGrid(anchor.left + dx, grid) - anchor.left;
    dy = SnapToGrid(anchor.top + dy, grid) - anchor.top;
}

bool ResizeSelection(DesignDocument& document, Handle handle, int32_t dx, int32_t dy) {
    const bool left =
        handle == Handle::TopLeft || handle == Handle::Left || handle == Handle::BottomLeft;
    const bool right =
        handle == Handle::TopRight || handle == Handle::Right || handle == Handle::BottomRight;
    const bool top =
        handle == Handle::TopLeft || handle == Handle::Top || handle == Handle::TopRight;
    const bool bottom =
        handle == Handle::BottomLeft || handle == Handle::Bottom || handle == Handle::BottomRight;
    bool changed = false;
    for (View* view : document.SelectedViews()) {
        if (!Allows(*view, restriction::kNotResizable)) continue;
        IntRect r = RectOf(*view);
        if (left) r.left = std::min(r.left + dx, r.right);
        if (right) r.right = std::max(r.right + dx, r.left);
        if (top) r.top = std::min(r.top + dy, r.bottom);
        if (bottom) r.bottom = std::max(r.bottom + dy, r.top);
        if (r == RectOf(*view)) continue;
        view->left = r.left;
        view->top = r.top;
        view->width = r.right - r.left;
        view->height = r.bottom - r.top;
        changed = true;
    }
    return changed;
}

size_t DeleteSelection(DesignDocument& document) {
    Page& page = document.CurrentPage();
    std::vector<View*> doomed;
    std::vector<View*> kept;
    for (View* view : document.SelectedViews())
        (Allows(*view, restriction::kNotDeletable) ? doomed : kept).push_back(view);
    for (View* view : doomed)
        page.Remove(*view);
    std::vector<size_t> stay;
    for (size_t i = 0; i < page.ObjectCount(); ++i)
        if (std::find(kept.begin(), kept.end(), &page.ObjectAt(i)) != kept.end()) stay.push_back(i);
    document.Select(stay);
    return doomed.size();
}

bool AlignSelection(DesignDocument& document, Alignment alignment) {
    const std::vector<View*> selected = document.SelectedViews();
    if (selected.size() < 2) return false;
    const View& anchor = *selected.front();
    bool changed = false;
    for (size_t i = 1; i < selected.size(); ++i) {
        View& view = *selected[i];
        if (!Allows(view, restriction::kNotMovable)) continue;
        int32_t left = view.left, top = view.top;
        switch (alignment) {
            case Alignment::Lefts:
                left = anchor.left;
                break;
            case Alignment::Rights:
                left = anchor.left + anchor.width - view.width;
                break;
            case Alignment::Tops:
                top = anchor.top;
                break;
            case Alignment::Bottoms:
                top = anchor.top + anchor.height - view.height;
                break;
            case Alignment::HorizontalCentres:
                left = anchor.left + (anchor.width - view.width) / 2;
                break;
            case Alignment::VerticalCentres:
                top = anchor.top + (anchor.height - view.height) / 2;
                break;
        }
        changed = changed || left != view.left || top != view.top;
        view.left = left;
        view.top = top;
    }
    return changed;
}

bool SameSize(DesignDocument& document, bool width, bool height) {
    const std::vector<View*> selected = document.SelectedViews();
    if (selected.size() < 2) return false;
    const View& anchor = *selected.front();
    bool changed = false;
    for (size_t i = 1; i < selected.size(); ++i) {
        View& view = *selected[i];
        if (!Allows(view, restriction::kNotResizable)) continue;
        if (width && view.width != anchor.width) view.width = anchor.width, changed = true;
        if (height && view.height != anchor.height) view.height = anchor.height, changed = true;
    }
    return changed;
}

namespace {

bool Reorder(DesignDocument& document, bool toFront) {
    Page& page = document.CurrentPage();
    const std::vector<View*> selected = document.SelectedViews();
    if (selected.empty()) return false;
    std::vector<std::unique_ptr<View>> lifted;
    for (View* view : selected)
        lifted.push_back(page.Remove(*view));
    std::vector<std::unique_ptr<View>> others;
    if (!toFront) {
        others.reserve(page.ObjectCount());
        while (page.ObjectCount() > 0)
            others.push_back(page.Remove(page.ObjectAt(page.ObjectCount() - 1)));
        std::reverse(others.begin(), others.end());
    }
    std::vector<size_t> indexes;
    for (auto& view : lifted) {
        indexes.push_back(page.ObjectCount());
        page.Add(std::move(view));
    }
    for (auto& view : others)
        page.Add(std::move(view));
    document.Select(indexes);
    return true;
}

}  // namespace

bool BringToFront(DesignDocument& document) {
    return Reorder(document, true);
}

bool SendToBack(DesignDocument& document) {
    return Reorder(document, false);
}

void SelectNext(DesignDocument& document, bool backwards) {
    const size_t count = document.CurrentPage().ObjectCount();
    if (count == 0) return;
    const auto& selection = document.Selection();
    size_t next = backwards ? count - 1 : 0;
    if (!selection.empty()) {
        const size_t last = selection.back();
        next = backwards ? (last + count - 1) % count : (last + 1) % count;
    }
    document.Select({next});
}

bool StackBands(Page& page, const View* first) {
    std::vector<View*> bands;
    for (const auto& object : page.Objects())
        if (IsHorizontalBand(*object)) bands.push_back(object.get());
    std::stable_sort(bands.begin(), bands.end(), [first](const View* a, const View* b) {
        if (a->top != b->top) return a->top < b->top;
        return a == first && b != first;
    });
    std::vector<std::pair<View*, int32_t>> shifts;
    int32_t floor = 0;
    for (size_t i = 0; i < bands.size(); ++i) {
        const int32_t top = bands[i]->top;
        const int32_t dy = i > 0 && top < floor ? floor - top : 0;
        if (dy != 0) shifts.emplace_back(bands[i], dy);
        floor = top + dy + bands[i]->height;
    }
    ShiftBands(page, shifts);
    return !shifts.empty();
}

}  // namespace report
