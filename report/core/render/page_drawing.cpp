#include "report/core/render/page_drawing.h"

#include <span>

#include "report/core/model/memo_view.h"
#include "report/core/model/model_state.h"
#include "report/core/model/page.h"
#include "report/core/model/report.h"
#include "report/core/prepared/page_geometry.h"
#include "report/core/prepared/prepared_pages.h"
#include "report/core/render/drawing_context.h"
#include "report/core/render/page_painter.h"
#include "report/core/render/text_painter.h"

namespace report {

void DrawPage(PreparedPages& store, int index, Canvas& canvas, const IntRect& rect,
              const PageDrawOptions& options) {
    store.OwnerReport().State().documentMode = DocumentMode::Printing;
    Page* live = store.PageToDraw(index);
    if (live == nullptr) return;
    const DrawScale scale = DrawScaleOf(store.PageAt(index), rect);
    PagePaintOptions paint;
    paint.measuringCanvas = options.measuringCanvas;
    paint.images = options.images;
    paint.printableArea = live->PrintableArea();  // the live page is the current page
    paint.printerCanvasMode = options.printing;
    const auto& objects = live->Objects();
    for (size_t i = 0; i < objects.size(); ++i) {
        if (!objects[i]) continue;
        if (!options.printing && !canvas.IntersectsClip(GrownCanvasRect(*objects[i], scale)))
            continue;
        PaintPage(std::span(&objects[i], 1), canvas, scale.scaleX, scale.scaleY, scale.offsetX,
                  scale.offsetY, paint);
    }
}

int32_t CanvasTextWidthMeasure::CalcTextWidth(const MemoView& memo) {
    DrawingContext context;
    context.canvas = &measuring_;
    context.measuringCanvas = &measuring_;
    context.mode = DocumentMode::Printing;
    const int32_t width = report::CalcTextWidth(memo, context);
    measuring_.SetCharacterSpacing(0);
    return width;
}

}  // namespace report
