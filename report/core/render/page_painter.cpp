#include "report/core/render/page_painter.h"

#include "report/core/render/drawing_context.h"
#include "report/core/render/object_painter.h"

namespace report {

void PaintPage(std::span<const std::unique_ptr<View>> objects, Canvas& canvas, double scaleX,
               double scaleY, int32_t offsetX, int32_t offsetY, const PagePaintOptions& options) {
    DrawingContext context;
    context.canvas = &canvas;
    context.measuringCanvas = options.measuringCanvas;
    context.images = options.images;
    context.mode = options.designPage != nullptr ? DocumentMode::Designing : DocumentMode::Printing;
    context.designPage = options.designPage;
    context.printableArea = options.printableArea;
    for (const std::unique_ptr<View>& object : objects) {
        if (!object) continue;
        context.scaleX = scaleX;
        context.scaleY = scaleY;
        context.drawOffsetX = offsetX;
        context.drawOffsetY = offsetY;
        context.printerCanvasMode = options.printerCanvasMode;
        DrawObject(*object, context);
        canvas.SetCharacterSpacing(0);
    }
}

}  // namespace report
