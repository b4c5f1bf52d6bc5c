// Drawing one page of the prepared-page store onto a canvas: the preview, its search, the print
// job and `etat render` all go through here, so that all show the same.
//
// Units: canvas rectangles in output pixels of the canvas.
#pragma once

#include <cstdint>

#include "report/core/model/view.h"
#include "report/core/prepared/auto_width.h"
#include "report/core/render/canvas.h"
#include "report/core/render/image_decoder.h"

namespace report {

class MemoView;
class PreparedPages;

struct PageDrawOptions {
    Canvas* measuringCanvas = nullptr;     // 96 dpi text layout; null: the painting canvas
    const ImageDecoder* images = nullptr;  // null: bitmaps show as grey boxes
    // A print: the printer is printing and the canvas is the printer's own. Every object is
    // drawn, whatever the canvas's clipping region, and fonts keep the printer's point size.
    bool printing = false;
};

// Draws page `index` of the store, mapping its full extent (PageWidth x PageHeight design
// pixels, from its metrics) onto `rect`; callers choose `rect` by MarginsActive (SheetRectOf).
// Puts the engine in printing document mode. A page whose Visible flag is clear is released
// and nothing is drawn (callers release pages this way, with an empty rectangle); otherwise it
// is expanded when needed and its objects drawn in order. Unless printing, an object whose
// rectangle on the canvas grown by 10 pixels lies wholly outside the canvas's clipping region
// is skipped. BandAlign works against the page's own printable area. ListIndexError when the
// index is out of range.
void DrawPage(PreparedPages& store, int index, Canvas& canvas, const IntRect& rect,
              const PageDrawOptions& options = {});

// The store's measure of auto-width text objects, settled when a page is expanded: the text
// object's CalcTextWidth in printing mode at scale 1 on a 96 dpi measuring canvas.
class CanvasTextWidthMeasure : public TextWidthMeasure {
  public:
    // `measuring` must outlive the measure.
    explicit CanvasTextWidthMeasure(Canvas& measuring) : measuring_(measuring) {}
    int32_t CalcTextWidth(const MemoView& memo) override;

  private:
    Canvas& measuring_;
};

}  // namespace report
