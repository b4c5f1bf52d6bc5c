#include "report/core/render/drawing_context.h"

#include "report/core/base/rounding.h"

namespace report {

ObjectGeometry ObjectGeometry::Of(const View& view) {
    return ObjectGeometry{view.left,       view.top,  view.width, view.height,
                          view.frameWidth, view.gapX, view.gapY};
}

int32_t DrawingContext::OuterRight() const {
    return RoundToInt((static_cast<double>(unscaled.left) + unscaled.width) * scaleX + drawOffsetX);
}

int32_t DrawingContext::OuterBottom() const {
    return RoundToInt((static_cast<double>(unscaled.top) + unscaled.height) * scaleY + drawOffsetY);
}

SavedDrawState BeginDraw(DrawingContext& context, uint16_t frameTyp) {
    const SavedDrawState saved{context.geometry, context.unscaled, context.drawRect};
    if (!context.Printing()) {
        context.scaleX = context.scaleY = 1.0;
        context.drawOffsetX = context.drawOffsetY = 0;
    }
    const ObjectGeometry g0 = context.geometry;
    const double sx = context.scaleX;
    const double sy = context.scaleY;
    ObjectGeometry& g = context.geometry;
    context.unscaled = g0;

    g.left = RoundToInt(g0.left * sx) + context.drawOffsetX;
    g.top = RoundToInt(g0.top * sy) + context.drawOffsetY;
    g.width = RoundToInt(g0.width * sx);
    g.height = RoundToInt(g0.height * sy);

    const double fw = g0.frameWidth;
    const int32_t a1 = RoundToInt((fw * sx - 1) / 2);
    const int32_t a2 = RoundToInt(fw * sx / 2);
    const int32_t b1 = RoundToInt((fw * sy - 1) / 2);
    const int32_t b2 = RoundToInt(fw * sy / 2);
    g.frameWidth = fw * sx;
    // a quarter of the frame width vertically against half of it horizontally, as designed
    g.gapX = RoundToInt(g0.gapX * sx) + a2;
    g.gapY = RoundToInt(g0.gapY * sy) + HalfOf(b2);

    int32_t right = context.OuterRight();
    int32_t bottom = context.OuterBottom();
    int32_t left = g.left;
    int32_t top = g.top;
    if (frameTyp & frame_side::kRight) right -= a2;
    if (frameTyp & frame_side::kBottom) bottom -= b2;
    if (frameTyp & frame_side::kLeft) left += a1;
    if (frameTyp & frame_side::kTop) top += b1;
    context.drawRect = IntRect{left, top, right + 1, bottom + 1};
    return saved;
}

void EndDraw(DrawingContext& context, const SavedDrawState& saved) {
    context.geometry = saved.geometry;
    context.unscaled = saved.unscaled;
    context.drawRect = saved.drawRect;
}

UnitScale::UnitScale(DrawingContext& context)
    : context_(context), scaleX_(context.scaleX), scaleY_(context.scaleY) {
    context.scaleX = context.scaleY = 1.0;
}

UnitScale::~UnitScale() {
    context_.scaleX = scaleX_;
    context_.scaleY = scaleY_;
}

}  // namespace report
