// Where a prepared page and its objects land: on the sheet (hit-testing, choosing the drawing
// rectangle) and on a canvas rectangle (drawing).
//
// Units: sheet coordinates in design pixels from the top-left corner of the sheet; canvas
// coordinates in output pixels.
#pragma once

#include "report/core/model/view.h"
#include "report/core/prepared/prepared_page.h"

namespace report {

// Object coordinates to sheet coordinates: sheet = object × scale + offset.
struct SheetMapping {
    double scaleX = 1.0;
    double scaleY = 1.0;
    double offsetX = 0.0;
    double offsetY = 0.0;
};

// A page with MarginsActive: 1:1 on the whole sheet. Without: shrunk into the printable area
// less the margins (scale (PrintableWidth - left - right) / PageWidth, offset OffsetX + left,
// and the same vertically). A page of no width or height maps everything onto its offset.
SheetMapping SheetMappingOf(const PreparedPage& page);

// The rectangle of the sheet that the page's full extent is drawn onto, by MarginsActive:
// (0, 0, PageWidth, PageHeight), or the printable area less the margins.
IntRect SheetRectOf(const PreparedPage& page);

// An object's rectangle under a mapping, each edge rounded halves to even.
IntRect MappedRect(const View& view, const SheetMapping& mapping);

// left <= x < right and top <= y < bottom.
bool Contains(const IntRect& rect, int32_t x, int32_t y);

// Drawing a page's full extent (PageWidth x PageHeight) onto a canvas rectangle: the factors
// and offsets each object's ScaleX, ScaleY, DrawOffsetX and DrawOffsetY take.
struct DrawScale {
    double scaleX = 0.0;
    double scaleY = 0.0;
    int32_t offsetX = 0;
    int32_t offsetY = 0;
};
DrawScale DrawScaleOf(const PreparedPage& page, const IntRect& canvasRect);

// The object's rectangle on the canvas grown by 10 pixels on each side: an object whose grown
// rectangle lies wholly outside the clipping region is skipped when drawing on screen.
IntRect GrownCanvasRect(const View& view, const DrawScale& scale);

}  // namespace report
