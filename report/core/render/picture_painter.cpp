#include "report/core/render/picture_painter.h"

#include "report/core/base/engine_strings.h"
#include "report/core/base/rounding.h"
#include "report/core/render/band_placement.h"
#include "report/core/render/frame_painter.h"
#include "report/core/render/metafile_player.h"

namespace report {

namespace {

constexpr int32_t kGrey = 0xC0C0C0;

int32_t Width(const IntRect& r) {
    return r.right - r.left;
}
int32_t Height(const IntRect& r) {
    return r.bottom - r.top;
}

void GreyBox(Canvas& canvas, const IntRect& target) {
    canvas.SetBackgroundMode(BackgroundMode::Opaque);
    canvas.SetBrush(Brush{kGrey, BrushStyle::Solid});
    canvas.FillRect(target);
}

// A metafile the player cannot show: grey, and said so in its corner.
void UnplayedMetafile(DrawingContext& context, const IntRect& target) {
    Canvas& canvas = *context.canvas;
    GreyBox(canvas, target);
    canvas.SetBackgroundMode(BackgroundMode::Transparent);
    canvas.SetFont(CanvasFont{"Arial", 11 * context.scaleY, 0, 0, false});
    canvas.DrawText(TextOutput{target.left + RoundToInt(4 * context.scaleX),
                               target.top + RoundToInt(4 * context.scaleY),
                               EngineText("picture.not_shown"), target, 0});
}

void EmptyPictureMark(DrawingContext& context) {
    Canvas& canvas = *context.canvas;
    const ObjectGeometry& g = context.geometry;
    // the designer's small empty-picture sign: a framed square
    canvas.SetPen(Pen{0x808080, 1, PenStyle::Solid});
    canvas.SetBrush(Brush{0xFFFFFF, BrushStyle::Solid});
    canvas.DrawRectangle(IntRect{g.left + 1, g.top + 2, g.left + 17, g.top + 18});
    canvas.SetBackgroundMode(BackgroundMode::Transparent);
    canvas.SetFont(
        CanvasFont{"Arial", static_cast<double>(RoundToInt(8 * 96.0 / 72.0)), 0, 0, false});
    canvas.DrawText(
        TextOutput{g.left + 20, g.top + 3, EngineText(text_id::kPictureText), context.drawRect, 0});
}

}  // namespace

IntRect PictureTarget(const PictureView& view, const DrawingContext& context, int32_t pw,
                      int32_t ph) {
    const IntRect& dr = context.drawRect;
    const ObjectGeometry& g = context.geometry;
    IntRect t = dr;
    if (view.HasFlag(view_flag::kStretched)) {
        if (view.HasFlag(view_flag::kKeepAspect) && pw > 0 && ph > 0) {
            const double kx = static_cast<double>(g.width) / pw;
            const double ky = static_cast<double>(g.height) / ph;
            if (kx >= ky)
                t = IntRect{dr.left, dr.top, dr.left + RoundToInt(pw * ky), dr.bottom};
            else
                t = IntRect{dr.left, dr.top, dr.right, dr.top + RoundToInt(ph * kx)};
            if (view.HasFlag(view_flag::kCenter)) {
                const int32_t dx = HalfOf(Width(dr) - Width(t));
                const int32_t dy = HalfOf(Height(dr) - Height(t));
                t = IntRect{t.left + dx, t.top + dy, t.right + dx, t.bottom + dy};
            }
        }
        return t;
    }
    const int32_t w = RoundToInt(pw * context.scaleX);
    const int32_t h = RoundToInt(ph * context.scaleY);
    int32_t left = dr.left;
    int32_t top = dr.top;
    if (view.HasFlag(view_flag::kCenter)) {
        top += HalfOf(Height(dr) - h);
        left += HalfOf(Width(dr) - w);
    }
    return IntRect{left, top, left + w, top + h};
}

void DrawPicture(PictureView& view, DrawingContext& context) {
    PlaceInBand(view, context);
    context.geometry = ObjectGeometry::Of(view);
    DrawScope scope(context, view.frameTyp);
    DrawBackground(view, context);
    if (!context.firstPass) {
        if (!view.picture.IsEmpty()) {
            Canvas& canvas = *context.canvas;
            if (view.picture.kind == GraphicKind::Metafile) {
                const MetafileSize size = MeasureMetafile(view.picture.data);
                const IntRect target = PictureTarget(view, context, size.width, size.height);
                // a picture larger than its object shows only inside it
                if (!size.valid ||
                    !PlayMetafile(view.picture.data, target, canvas, context.drawRect))
                    UnplayedMetafile(context, size.valid ? target : context.drawRect);
            } else {
                const DecodedImage image = context.images != nullptr
                                               ? context.images->Decode(view.picture)
                                               : DecodedImage{};
                if (image.IsEmpty())
                    GreyBox(canvas, context.drawRect);
                else
                    canvas.DrawImage(PictureTarget(view, context, image.width, image.height),
                                     image);
            }
        } else if (!context.Printing()) {
            EmptyPictureMark(context);
        }
    }
    DrawFrame(view, context);
}

}  // namespace report
