// Paints the objects of one page onto a canvas: what the preview, the printer and PDF export
// all call.
#pragma once

#include <memory>
#include <optional>
#include <span>

#include "report/core/model/view.h"
#include "report/core/render/canvas.h"
#include "report/core/render/image_decoder.h"

namespace report {

class Page;

struct PagePaintOptions {
    Canvas* measuringCanvas = nullptr;     // 96 dpi text layout; null: the painting canvas
    const ImageDecoder* images = nullptr;  // null: bitmaps show as grey boxes
    std::optional<IntRect> printableArea;  // design pixels, for BandAlign; none: no alignment
    bool printerCanvasMode = false;        // drawing on the printer's own canvas
    // The designer's page: objects are drawn in designing mode (placeholders for bands and
    // sub-reports, corner marks, expressions as written) at scale 1, whatever the scales
    // given; the canvas maps design pixels to the screen. Null: document mode printing.
    const Page* designPage = nullptr;
};

// Draws every object in order (as prepared pages are drawn: document mode printing) with
// output = round(design x scale) + offset. `scaleX` and `scaleY` are the target size in
// output pixels divided by the page size in design pixels; offsets are output pixels.
void PaintPage(std::span<const std::unique_ptr<View>> objects, Canvas& canvas, double scaleX,
               double scaleY, int32_t offsetX, int32_t offsetY,
               const PagePaintOptions& options = {});

}  // namespace report
