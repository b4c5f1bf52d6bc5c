#include "report/core/render/frame_painter.h"

#include "report/core/base/rounding.h"

namespace report {

namespace {

constexpr int32_t kWhite = 0xFFFFFF;
constexpr int32_t kBlack = 0;
constexpr uint16_t kAllSides =
    frame_side::kRight | frame_side::kBottom | frame_side::kLeft | frame_side::kTop;

PenStyle PenStyleOf(uint16_t frameStyle) {
    switch (static_cast<FrameStyle>(frameStyle)) {
        case FrameStyle::psDash:
            return PenStyle::Dash;
        case FrameStyle::psDot:
            return PenStyle::Dot;
        case FrameStyle::psDashDot:
            return PenStyle::DashDot;
        case FrameStyle::psDashDotDot:
            return PenStyle::DashDotDot;
        default:
            return PenStyle::Solid;
    }
}

void DrawCornerMarks(Canvas& canvas, const ObjectGeometry& g) {
    canvas.SetPen(Pen{kBlack, 1, PenStyle::Solid});
    const int32_t x = g.left, y = g.top, w = g.width, h = g.height;
    canvas.DrawLine(x, y + 3, x, y);
    canvas.DrawLine(x, y, x + 4, y);
    canvas.DrawLine(x, y + h - 3, x, y + h);
    canvas.DrawLine(x, y + h, x + 4, y + h);
    canvas.DrawLine(x + w - 3, y, x + w, y);
    canvas.DrawLine(x + w, y, x + w, y + 4);
    canvas.DrawLine(x + w - 3, y + h, x + w, y + h);
    canvas.DrawLine(x + w, y + h, x + w, y + h - 4);
}

// One side from (x1, y1) to (x2, y2); `vertical` says which way offsets go across it.
void DrawSide(Canvas& canvas, const View& view, double frameWidth, int32_t x1, int32_t y1,
              int32_t x2, int32_t y2, bool vertical) {
    const int32_t dx = vertical ? 1 : 0;
    const int32_t dy = vertical ? 0 : 1;
    if (view.frameStyle == static_cast<uint16_t>(FrameStyle::psDouble)) {
        const int32_t d = RoundToInt(frameWidth);
        Pen pen = canvas.CurrentPen();
        canvas.DrawLine(x1 - d * dx, y1 - d * dy, x2 - d * dx, y2 - d * dy);
        pen.color = view.fillColor;
        canvas.SetPen(pen);
        canvas.DrawLine(x1, y1, x2, y2);
        pen.color = view.frameColor;
        canvas.SetPen(pen);
        canvas.DrawLine(x1 + d * dx, y1 + d * dy, x2 + d * dx, y2 + d * dy);
        return;
    }
    Pen pen = canvas.CurrentPen();
    if (pen.style == PenStyle::Solid) {
        canvas.DrawLine(x1, y1, x2, y2);
        return;
    }
    // Wide dashed pens are drawn as parallel one-pixel lines, the ground between dashes in
    // the fill colour.
    canvas.SetBrush(Brush{view.fillColor, BrushStyle::Solid});
    const int32_t w = pen.width;
    pen.width = 1;
    canvas.SetPen(pen);
    for (int32_t offset = -HalfOf(w); offset <= w - 1 - HalfOf(w); ++offset)
        canvas.DrawLine(x1 + offset * dx, y1 + offset * dy, x2 + offset * dx, y2 + offset * dy);
    pen.width = w;
    canvas.SetPen(pen);
}

}  // namespace

void DrawBackground(const View& view, DrawingContext& context) {
    if (context.firstPass) return;
    int32_t color = view.fillColor;
    if (color == kNoColor) {
        if (context.Printing()) return;
        color = kWhite;
    }
    Canvas& canvas = *context.canvas;
    canvas.SetBackgroundMode(BackgroundMode::Opaque);
    canvas.SetBrush(Brush{color, BrushStyle::Solid});
    if (context.Printing()) {
        canvas.FillRect(IntRect{context.geometry.left, context.geometry.top, context.OuterRight(),
                                context.OuterBottom()});
    } else {
        canvas.FillRect(context.drawRect);
    }
}

void DrawFrame(const View& view, DrawingContext& context) {
    if (context.firstPass) return;
    if (context.Printing() && (view.frameTyp & kAllSides) == 0) return;
    Canvas& canvas = *context.canvas;
    const ObjectGeometry& g = context.geometry;
    canvas.SetBrush(Brush{canvas.CurrentBrush().color, BrushStyle::Solid});
    if (!context.Printing() && g.width > 0 && g.height > 0) DrawCornerMarks(canvas, g);

    const PenStyle style = view.frameStyle == static_cast<uint16_t>(FrameStyle::psDouble)
                               ? PenStyle::Solid
                               : PenStyleOf(view.frameStyle);
    canvas.SetPen(Pen{view.frameColor, RoundToInt(g.frameWidth), style});
    const int32_t r = context.OuterRight();
    const int32_t b = context.OuterBottom();
    if (view.frameTyp & frame_side::kRight)
        DrawSide(canvas, view, g.frameWidth, r, g.top, r, b, true);
    if (view.frameTyp & frame_side::kLeft)
        DrawSide(canvas, view, g.frameWidth, g.left, g.top, g.left, b, true);
    if (view.frameTyp & frame_side::kBottom)
        DrawSide(canvas, view, g.frameWidth, g.left, b, r, b, false);
    if (view.frameTyp & frame_side::kTop)
        DrawSide(canvas, view, g.frameWidth, g.left, g.top, r, g.top, false);
}

}  // namespace report
