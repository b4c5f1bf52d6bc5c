#include "report/core/render/object_painter.h"

#include "report/core/base/rounding.h"
#include "report/core/model/band_view.h"
#include "report/core/model/memo_view.h"
#include "report/core/model/picture_view.h"
#include "report/core/model/subreport_view.h"
#include "report/core/render/band_placement.h"
#include "report/core/render/frame_painter.h"
#include "report/core/render/picture_painter.h"
#include "report/core/render/text_painter.h"

namespace report {

namespace {

constexpr int32_t kBlack = 0;
constexpr int32_t kWhite = 0xFFFFFF;

// The designer's box for objects that print nothing of their own: white, a black border, the
// caption in Arial 8.
void DrawPlaceholder(View& view, const std::string& caption, DrawingContext& context) {
    if (context.Printing() || context.firstPass) return;
    PlaceInBand(view, context);
    context.geometry = ObjectGeometry::Of(view);
    context.geometry.frameWidth = 1;
    DrawScope scope(context, view.frameTyp);
    Canvas& canvas = *context.canvas;
    const ObjectGeometry& g = context.geometry;
    canvas.SetPen(Pen{kBlack, 1, PenStyle::Solid});
    canvas.SetBrush(Brush{kWhite, BrushStyle::Solid});
    canvas.DrawRectangle(IntRect{g.left, g.top, g.left + g.width + 1, g.top + g.height + 1});
    canvas.SetBackgroundMode(BackgroundMode::Transparent);
    canvas.SetFont(
        CanvasFont{"Arial", static_cast<double>(RoundToInt(8 * 96.0 / 72.0)), 0, kBlack, false});
    canvas.DrawText(TextOutput{g.left + 2, g.top + 2, caption, context.drawRect, 0});
}

}  // namespace

void DrawLineObject(LineView& line, DrawingContext& context) {
    PlaceInBand(line, context);
    if (line.height < line.width) {
        line.height = 0;
        line.frameTyp = frame_side::kTop;
    } else {
        line.width = 0;
        line.frameTyp = frame_side::kLeft;
    }
    context.geometry = ObjectGeometry::Of(line);
    DrawScope scope(context, line.frameTyp);
    DrawFrame(line, context);
}

void DrawObject(View& view, DrawingContext& context) {
    switch (view.objectType) {
        case object_type::kMemo:
            if (auto* memo = dynamic_cast<MemoView*>(&view)) DrawMemo(*memo, context);
            break;
        case object_type::kPicture:
            if (auto* picture = dynamic_cast<PictureView*>(&view)) DrawPicture(*picture, context);
            break;
        case object_type::kLine:
            if (auto* line = dynamic_cast<LineView*>(&view)) DrawLineObject(*line, context);
            break;
        case object_type::kBand:
            if (auto* band = dynamic_cast<BandView*>(&view))
                DrawPlaceholder(view, BandTypeDisplayName(band->BandTypeCode()), context);
            break;
        default:  // sub-reports and add-in objects
            DrawPlaceholder(view, view.name, context);
            break;
    }
}

}  // namespace report
