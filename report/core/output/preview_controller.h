// The preview without its widgets: the pages it holds, zoom and layout, scroll position and
// current page, keyboard and mouse arithmetic, text search and prepared files. The preview
// window shows what this class computes and forwards its input here; tests drive it directly.
//
// Units: "box" coordinates are screen pixels of the page box (the scrolled view, (0, 0) its
// top-left corner); layout rectangles are screen pixels unscrolled; page points and hit
// bounds are design pixels of the sheet.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "report/core/model/view.h"
#include "report/core/output/page_layout.h"
#include "report/core/output/preview_keys.h"
#include "report/core/output/preview_toolbar.h"
#include "report/core/output/zoom.h"
#include "report/core/render/font_metrics.h"

namespace report {

class PreparedPages;
class Report;

inline constexpr int32_t kSmallScrollStep = 10;
inline constexpr int32_t kLargeScrollStep = 200;

enum class SearchOutcome { Found, NotFound };

// A point of the box over a page: which page (0-based) and where on its sheet.
struct PagePoint {
    int index = 0;
    int32_t x = 0;  // design pixels from the sheet's left edge
    int32_t y = 0;
};

// What to paint for a repaint of part of the box.
struct PaintPlan {
    struct Page {
        int index = 0;
        IntRect sheet;     // the whole sheet, box coordinates
        IntRect drawRect;  // where the page's extent is drawn (by MarginsActive)
    };
    std::vector<Page> draw;    // on screen and in the repainted part, in page order
    std::vector<int> release;  // off screen: their live objects can go
};

class PreviewController {
  public:
    // `zoom`: shared by the previews of the run (not owned, outlives the controller).
    explicit PreviewController(ZoomMemory& zoom);
    ~PreviewController();
    PreviewController(const PreviewController&) = delete;
    PreviewController& operator=(const PreviewController&) = delete;

    // ---- pages ----
    // Takes a report's store over (freeing the pages held before).
    void AttachPages(std::unique_ptr<PreparedPages> pages);
    // Gives the pages back; the controller then holds none.
    std::unique_ptr<PreparedPages> ReturnPages();
    bool HasPages() const;
    PreparedPages* Pages() const { return pages_.get(); }
    int PageCount() const;

    // ---- options, zoom, layout ----
    // Toolbar from `PreviewButtons`, and `InitialZoom` into the shared zoom.
    void ApplyReportOptions(const Report& report, bool printerAvailable,
                            bool toolbarInOwnWindow = true);
    const ToolbarState& Toolbar() const { return toolbar_; }
    // Takes the shared zoom; `first` goes back to page 1 at the top. Lays out again and
    // releases the live objects of every page.
    void ResetView(bool first);
    // The page box's client size, screen pixels; lays out again.
    void SetBoxSize(int32_t width, int32_t height);
    void LayoutPages();
    // A zoom menu item chosen (its tag); the choice becomes the shared zoom.
    void ChooseZoom(int tag);
    const ZoomState& Zoom() const { return zoom_; }
    int CheckedZoomTag() const;
    std::string ZoomButtonCaption() const;
    const PreviewLayout& Layout() const { return layout_; }

    // ---- position ----
    int CurrentPage() const { return currentPage_; }  // from 1; 0 without pages
    // "Page 2/5" (Windows-1252), empty without pages.
    std::string PageLabel() const;
    int32_t HorizontalPosition() const { return horizontal_; }
    int32_t VerticalPosition() const { return vertical_; }
    // The scroll bars moved by the user: clamped to the ranges; a vertical move makes current
    // the first page that lies 11 pixels below the view's top.
    void ScrollVerticallyTo(int32_t position);
    void ScrollHorizontallyTo(int32_t position);
    void ScrollBy(int32_t dx, int32_t dy);
    // The current page's top 10 pixels below the view's top, as far as the range allows.
    void ScrollToCurrentPage();
    void PreviousPage();
    void NextPage();
    void LastPage();
    // Makes page `number` (from 1) current without scrolling (a click on a thumbnail scrolls
    // with ScrollToCurrentPage after it).
    void SetCurrentPage(int number);
    // A page's sheet in box coordinates (scrolled).
    IntRect SheetOnScreen(int index) const;
    // Called with the page number whenever the page label changes.
    std::function<void(int page)> onPageChanged;

    // ---- painting ----
    // Marks every page on screen as Visible and the others not; `exposed` is the part of the
    // box being repainted, box coordinates.
    PaintPlan PlanPaint(const IntRect& exposed);

    // ---- keyboard, mouse ----
    // Performs scrolling, navigation and F3 itself; returns the action so that the window can
    // complete the rest (zoom menu, close, load, save, print, find, edit, PDF export) and
    // repaint. NotHandled without pages.
    PreviewAction HandleKey(PreviewKey key, KeyModifiers modifiers);
    // The page under a box point, if any.
    std::optional<PagePoint> PageAt(int32_t x, int32_t y) const;
    // Left button down: a click handled by the report's OnObjectClick gives true; otherwise
    // dragging starts. A press right after a double click is swallowed.
    bool Press(int32_t x, int32_t y);
    // Mouse move while dragging: the content follows the mouse.
    void DragTo(int32_t x, int32_t y);
    void Release() { dragging_ = false; }
    bool Dragging() const { return dragging_; }
    // Ends dragging and makes the page of the last click current.
    void DoubleClick();
    // The cursor over a box point when the report's OnMouseOverObject answers for an object
    // there, else `defaultCursor`.
    int CursorAt(int32_t x, int32_t y, int defaultCursor);
    // `steps` wheel notches, positive downward; each moves the small step times `wheelStep`.
    void Wheel(int steps, int wheelStep);

    // ---- search ----
    // Measures the recorded text as the screen does (not owned; null: fixed advances).
    void SetSearchMetrics(const FontMetricsSource* metrics) { searchMetrics_ = metrics; }
    // The find dialog accepted: from the first page, or from the current one (continuing
    // after the last hit when that is still the current page). Then SearchNext.
    SearchOutcome StartSearch(const std::string& text, bool caseSensitive, bool fromFirstPage);
    bool HasSearchText() const { return !searchText_.empty(); }
    // F3: restarts at the top of the current page when the last hit was elsewhere.
    SearchOutcome ContinueSearch();
    // Continues from where the last search stopped; a hit becomes the current page and is
    // scrolled into view. NotFound when the end of the pages is reached.
    SearchOutcome SearchNext();
    // The last hit's rectangle on screen (box coordinates), kept until the next search or
    // a change of the current page.
    std::optional<IntRect> HitOnScreen() const;
    int SearchPage() const { return searchPage_; }

    // ---- files ----
    // Replaces the pages with a prepared-report file's, back on page 1. FileOpenError or
    // PreparedFileError when it cannot be read; the pages shown stay. Page pictures of the
    // oldest layout that cannot be played are named in a message box (Dialogs()).
    void Load(const std::string& path);
    // Saves under the path with its extension made ".etp", and returns that path.
    // FileCreateError when it cannot be written; the pages shown stay.
    std::string Save(const std::string& path);

  private:
    void ChangeCurrentPage(int number);
    void UpdatePageLabel();
    void SetPositions(int32_t horizontal, int32_t vertical);
    void ReleaseAll();
    void WarnOfUnplayablePictures();

    ZoomMemory* memory_;
    std::unique_ptr<PreparedPages> pages_;
    ToolbarState toolbar_;
    ZoomState zoom_;
    PreviewLayout layout_;
    int32_t boxWidth_ = 0;
    int32_t boxHeight_ = 0;
    int currentPage_ = 0;
    int32_t horizontal_ = 0;
    int32_t vertical_ = 0;

    bool dragging_ = false;
    int32_t dragX_ = 0;
    int32_t dragY_ = 0;
    int clickedPage_ = 0;  // from 1; 0 for none
    bool swallowPress_ = false;

    const FontMetricsSource* searchMetrics_ = nullptr;
    std::string searchText_;
    bool caseSensitive_ = false;
    int searchPage_ = 0;
    int searchResume_ = 0;
    std::optional<std::pair<int, IntRect>> hit_;  // page index, sheet bounds
};

}  // namespace report
