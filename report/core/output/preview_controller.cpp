#include "report/core/output/preview_controller.h"

#include <algorithm>

#include "report/core/base/dialogs.h"
#include "report/core/base/engine_strings.h"
#include "report/core/base/rounding.h"
#include "report/core/base/text.h"
#include "report/core/model/page.h"
#include "report/core/model/picture_view.h"
#include "report/core/model/report.h"
#include "report/core/output/page_draw_rect.h"
#include "report/core/output/prepared_file_name.h"
#include "report/core/output/text_search.h"
#include "report/core/prepared/prepared_file.h"
#include "report/core/prepared/prepared_pages.h"
#include "report/core/render/metafile_player.h"

namespace report {
namespace {

// The view's top lies this far above the line that decides the current page.
constexpr int32_t kCurrentPageProbe = 11;

IntRect Shifted(const IntRect& r, int32_t dx, int32_t dy) {
    return IntRect{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

bool Intersects(const IntRect& a, const IntRect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool Inside(const IntRect& r, int32_t x, int32_t y) {
    return r.left <= x && x < r.right && r.top <= y && y < r.bottom;
}

}  // namespace

PreviewController::PreviewController(ZoomMemory& zoom) : memory_(&zoom) {}

PreviewController::~PreviewController() = default;

void PreviewController::AttachPages(std::unique_ptr<PreparedPages> pages) {
    pages_ = std::move(pages);
    hit_.reset();
    if (currentPage_ > PageCount()) currentPage_ = PageCount();
}

std::unique_ptr<PreparedPages> PreviewController::ReturnPages() {
    hit_.reset();
    return std::move(pages_);
}

bool PreviewController::HasPages() const {
    return pages_ != nullptr && pages_->PageCount() > 0;
}

int PreviewController::PageCount() const {
    return pages_ != nullptr ? pages_->PageCount() : 0;
}

void PreviewController::ApplyReportOptions(const Report& report, bool printerAvailable,
                                           bool toolbarInOwnWindow) {
    toolbar_ = ToolbarFor(report.previewButtons, toolbarInOwnWindow, printerAvailable);
    ApplyInitialZoom(report.initialZoom, *memory_);
}

void PreviewController::ResetView(bool first) {
    zoom_ = ZoomState{memory_->lastZoom, memory_->lastZoomMode};
    if (first || currentPage_ < 1) {
        currentPage_ = HasPages() ? 1 : 0;
        horizontal_ = 0;
        vertical_ = 0;
    }
    UpdatePageLabel();
    LayoutPages();
    ReleaseAll();
}

void PreviewController::SetBoxSize(int32_t width, int32_t height) {
    boxWidth_ = width;
    boxHeight_ = height;
    LayoutPages();
}

void PreviewController::LayoutPages() {
    if (!HasPages()) {
        layout_ = PreviewLayout{};
        return;
    }
    std::vector<PageExtent> extents;
    extents.reserve(static_cast<size_t>(PageCount()));
    for (int i = 0; i < PageCount(); ++i) {
        const PageMetrics& m = pages_->PageAt(i).metrics;
        extents.push_back(PageExtent{m.pageWidth, m.pageHeight});
    }
    layout_ = LayoutPreviewPages(extents, currentPage_ - 1, zoom_, boxWidth_, boxHeight_);
    zoom_.factor = layout_.zoomFactor;
    for (int i = 0; i < PageCount(); ++i)
        pages_->PageAt(i).screenRect = layout_.pageRects[static_cast<size_t>(i)];
    ScrollToCurrentPage();
}

void PreviewController::ChooseZoom(int tag) {
    if (!HasPages()) return;
    zoom_ = ZoomForTag(tag, zoom_.factor);
    horizontal_ = 0;
    LayoutPages();
    memory_->lastZoom = zoom_.factor;
    memory_->lastZoomMode = zoom_.mode;
}

int PreviewController::CheckedZoomTag() const {
    return report::CheckedZoomTag(zoom_);
}

std::string PreviewController::ZoomButtonCaption() const {
    return ZoomCaption(zoom_.factor);
}

std::string PreviewController::PageLabel() const {
    if (!HasPages()) return {};
    return EngineText("preview.page") + " " + std::to_string(currentPage_) + "/" +
           std::to_string(PageCount());
}

void PreviewController::UpdatePageLabel() {
    if (onPageChanged) onPageChanged(currentPage_);
}

void PreviewController::ChangeCurrentPage(int number) {
    if (number == currentPage_) return;
    currentPage_ = number;
    hit_.reset();
    UpdatePageLabel();
}

void PreviewController::SetPositions(int32_t horizontal, int32_t vertical) {
    horizontal_ = std::clamp(horizontal, 0, layout_.horizontalMaximum);
    vertical_ = std::clamp(vertical, 0, layout_.verticalMaximum);
}

void PreviewController::ScrollVerticallyTo(int32_t position) {
    SetPositions(horizontal_, position);
    const int32_t probe = vertical_ + kCurrentPageProbe;
    for (int i = 0; i < PageCount(); ++i) {
        const IntRect& r = layout_.pageRects[static_cast<size_t>(i)];
        if (r.top < probe && probe < r.bottom) {
            ChangeCurrentPage(i + 1);
            break;
        }
    }
}

void PreviewController::ScrollHorizontallyTo(int32_t position) {
    SetPositions(position, vertical_);
}

void PreviewController::ScrollBy(int32_t dx, int32_t dy) {
    if (dx != 0) ScrollHorizontallyTo(horizontal_ + dx);
    if (dy != 0) ScrollVerticallyTo(vertical_ + dy);
}

void PreviewController::ScrollToCurrentPage() {
    if (!HasPages() || currentPage_ < 1) return;
    const IntRect& r = layout_.pageRects[static_cast<size_t>(currentPage_ - 1)];
    SetPositions(horizontal_, r.top - kPageGap);
}

void PreviewController::PreviousPage() {
    if (currentPage_ > 1) ChangeCurrentPage(currentPage_ - 1);
    UpdatePageLabel();
    ScrollToCurrentPage();
}

void PreviewController::NextPage() {
    if (currentPage_ < PageCount()) ChangeCurrentPage(currentPage_ + 1);
    UpdatePageLabel();
    ScrollToCurrentPage();
}

void PreviewController::LastPage() {
    if (!HasPages()) return;
    ChangeCurrentPage(PageCount());
    ScrollToCurrentPage();
}

void PreviewController::SetCurrentPage(int number) {
    if (!HasPages()) return;
    ChangeCurrentPage(std::clamp(number, 1, PageCount()));
}

IntRect PreviewController::SheetOnScreen(int index) const {
    return Shifted(pages_->PageAt(index).screenRect, -horizontal_, -vertical_);
}

PaintPlan PreviewController::PlanPaint(const IntRect& exposed) {
    PaintPlan plan;
    if (!HasPages()) return plan;
    const IntRect box{0, 0, boxWidth_, boxHeight_};
    for (int i = 0; i < PageCount(); ++i) {
        PreparedPage& page = pages_->PageAt(i);
        const IntRect sheet = SheetOnScreen(i);
        // Pages outside the box are off screen, whatever the box's height.
        page.visible = Intersects(sheet, box);
        if (!page.visible) {
            plan.release.push_back(i);
        } else if (Intersects(sheet, exposed)) {
            plan.draw.push_back({i, sheet, DrawRectOnSheet(page, sheet, zoom_.factor)});
        }
    }
    return plan;
}

PreviewAction PreviewController::HandleKey(PreviewKey key, KeyModifiers modifiers) {
    if (!HasPages()) return PreviewAction::NotHandled;
    const PreviewAction action = ActionForKey(key, modifiers);
    switch (action) {
        case PreviewAction::ScrollUp:
            ScrollBy(0, -kSmallScrollStep);
            break;
        case PreviewAction::ScrollDown:
            ScrollBy(0, kSmallScrollStep);
            break;
        case PreviewAction::ScrollLeft:
            ScrollBy(-kSmallScrollStep, 0);
            break;
        case PreviewAction::ScrollRight:
            ScrollBy(kSmallScrollStep, 0);
            break;
        case PreviewAction::ScrollPageUp:
            ScrollBy(0, -kLargeScrollStep);
            break;
        case PreviewAction::ScrollPageDown:
            ScrollBy(0, kLargeScrollStep);
            break;
        case PreviewAction::PreviousPage:
            PreviousPage();
            break;
        case PreviewAction::NextPage:
            NextPage();
            break;
        case PreviewAction::ScrollToTop:
            ScrollVerticallyTo(0);
            break;
        case PreviewAction::LastPage:
            LastPage();
            break;
        case PreviewAction::Print:
            if (!toolbar_.printEnabled) return PreviewAction::Consumed;
            break;
        default:
            break;
    }
    return action;
}

std::optional<PagePoint> PreviewController::PageAt(int32_t x, int32_t y) const {
    if (!HasPages()) return std::nullopt;
    const int32_t lx = x + horizontal_;
    const int32_t ly = y + vertical_;
    for (int i = 0; i < PageCount(); ++i) {
        const IntRect& r = pages_->PageAt(i).screenRect;
        if (!Inside(r, lx, ly)) continue;
        return PagePoint{i, RoundToInt((lx - r.left) / zoom_.factor),
                         RoundToInt((ly - r.top) / zoom_.factor)};
    }
    return std::nullopt;
}

bool PreviewController::Press(int32_t x, int32_t y) {
    if (swallowPress_) {
        swallowPress_ = false;
        return false;
    }
    if (!HasPages()) return false;
    const int32_t lx = x + horizontal_;
    const int32_t ly = y + vertical_;
    for (int i = 0; i < PageCount(); ++i) {
        const IntRect& r = pages_->PageAt(i).screenRect;
        if (!Inside(r, lx, ly)) continue;
        clickedPage_ = i + 1;
        int cursor = 0;
        if (pages_->HitTest(i, RoundToInt((lx - r.left) / zoom_.factor),
                            RoundToInt((ly - r.top) / zoom_.factor), true, cursor))
            return true;
    }
    dragging_ = true;
    dragX_ = x;
    dragY_ = y;
    return false;
}

void PreviewController::DragTo(int32_t x, int32_t y) {
    if (!dragging_) return;
    ScrollBy(dragX_ - x, dragY_ - y);
    dragX_ = x;
    dragY_ = y;
}

void PreviewController::DoubleClick() {
    dragging_ = false;
    swallowPress_ = true;
    if (clickedPage_ > 0 && clickedPage_ <= PageCount()) ChangeCurrentPage(clickedPage_);
}

int PreviewController::CursorAt(int32_t x, int32_t y, int defaultCursor) {
    if (!HasPages() || !pages_->OwnerReport().onMouseOverObject) return defaultCursor;
    const std::optional<PagePoint> point = PageAt(x, y);
    if (!point) return defaultCursor;
    int cursor = defaultCursor;
    return pages_->HitTest(point->index, point->x, point->y, false, cursor) ? cursor
                                                                            : defaultCursor;
}

void PreviewController::Wheel(int steps, int wheelStep) {
    ScrollBy(0, steps * kSmallScrollStep * wheelStep);
}

SearchOutcome PreviewController::StartSearch(const std::string& text, bool caseSensitive,
                                             bool fromFirstPage) {
    caseSensitive_ = caseSensitive;
    searchText_ = caseSensitive ? text : UpperCase(text);
    hit_.reset();
    if (fromFirstPage) {
        searchPage_ = 0;
        searchResume_ = 0;
    } else if (currentPage_ != searchPage_ + 1) {
        searchPage_ = currentPage_ - 1;
        searchResume_ = 0;
    }
    return SearchNext();
}

SearchOutcome PreviewController::ContinueSearch() {
    if (currentPage_ != searchPage_ + 1) {
        searchPage_ = currentPage_ - 1;
        searchResume_ = 0;
    }
    return SearchNext();
}

SearchOutcome PreviewController::SearchNext() {
    hit_.reset();
    if (!HasPages() || searchText_.empty()) return SearchOutcome::NotFound;
    searchPage_ = std::max(searchPage_, 0);
    while (searchPage_ < PageCount()) {
        const std::optional<TextHit> found = FindTextOnPage(
            *pages_, searchPage_, searchText_, caseSensitive_, searchResume_, searchMetrics_);
        if (found) {
            ChangeCurrentPage(searchPage_ + 1);
            UpdatePageLabel();
            const IntRect& r = pages_->PageAt(searchPage_).screenRect;
            SetPositions(RoundToInt(found->bounds.left * zoom_.factor) + r.left - kPageGap,
                         RoundToInt(found->bounds.top * zoom_.factor) + r.top - kPageGap);
            searchResume_ = found->operation + 1;
            hit_ = std::make_pair(searchPage_, found->bounds);
            return SearchOutcome::Found;
        }
        PreparedPage& page = pages_->PageAt(searchPage_);
        page.visible = false;
        pages_->ReleasePage(searchPage_);
        searchResume_ = 0;
        ++searchPage_;
    }
    return SearchOutcome::NotFound;
}

std::optional<IntRect> PreviewController::HitOnScreen() const {
    if (!hit_ || hit_->first >= PageCount()) return std::nullopt;
    const IntRect sheet = SheetOnScreen(hit_->first);
    const IntRect& b = hit_->second;
    const double z = zoom_.factor;
    return IntRect{sheet.left + RoundToInt(b.left * z), sheet.top + RoundToInt(b.top * z),
                   sheet.left + RoundToInt(b.right * z), sheet.top + RoundToInt(b.bottom * z)};
}

void PreviewController::Load(const std::string& path) {
    if (pages_ == nullptr) return;
    auto loaded = std::make_unique<PreparedPages>(pages_->OwnerReport());
    OpenPreparedFile(*loaded, path);
    pages_ = std::move(loaded);
    hit_.reset();
    searchPage_ = 0;
    searchResume_ = 0;
    currentPage_ = HasPages() ? 1 : 0;
    horizontal_ = 0;
    vertical_ = 0;
    UpdatePageLabel();
    LayoutPages();
    if (pages_->HoldsPicturePages()) WarnOfUnplayablePictures();
}

void PreviewController::WarnOfUnplayablePictures() {
    // A page picture the player does not know shows grey: the user hears why.
    std::string numbers;
    for (int i = 0; i < PageCount(); ++i) {
        bool playable = true;
        for (const auto& object : pages_->LivePage(i).Objects()) {
            const auto* picture = dynamic_cast<const PictureView*>(object.get());
            if (picture != nullptr && picture->picture.kind == GraphicKind::Metafile &&
                !CanPlayMetafile(picture->picture.data))
                playable = false;
        }
        pages_->ReleasePage(i);
        if (!playable) numbers += (numbers.empty() ? "" : ", ") + std::to_string(i + 1);
    }
    if (numbers.empty()) return;
    Dialogs().ShowMessage(FormatMessage(EngineText("preview.pictures_not_shown"), {numbers}),
                          EngineText("preview.caption"), mb::kOk | mb::kIconWarning);
}

std::string PreviewController::Save(const std::string& path) {
    const std::string target = WithPreparedExtension(path);
    if (pages_ != nullptr) SavePreparedFile(*pages_, target);
    return target;
}

void PreviewController::ReleaseAll() {
    if (pages_ == nullptr) return;
    for (int i = 0; i < PageCount(); ++i)
        pages_->PageAt(i).visible = false;
    pages_->ReleaseAllPages();
}

}  // namespace report
