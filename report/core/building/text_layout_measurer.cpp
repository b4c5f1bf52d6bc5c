#include "report/core/building/text_layout_measurer.h"

#include <algorithm>
#include <cstddef>
#include <string>

#include "report/core/model/memo_view.h"
#include "report/core/render/drawing_context.h"
#include "report/core/render/text_layout.h"
#include "report/core/render/text_painter.h"

namespace report {
namespace {

DrawingContext MeasuringContext(Canvas& canvas) {
    DrawingContext context;
    context.canvas = &canvas;
    context.measuringCanvas = &canvas;
    context.mode = DocumentMode::Printing;
    return context;
}

}  // namespace

int TextLayoutMeasurer::CalcHeight(Stretchable& object) {
    auto* memo = dynamic_cast<MemoView*>(&object);
    if (memo == nullptr) return object.height;
    DrawingContext context = MeasuringContext(canvas_);
    return MeasureTextHeight(*memo, context);
}

StringList TextLayoutMeasurer::SplitAt(Stretchable& object, int height) {
    auto* memo = dynamic_cast<MemoView*>(&object);
    if (memo == nullptr || memo->expandedMemo.empty()) return {};
    DrawingContext context = MeasuringContext(canvas_);
    context.geometry = ObjectGeometry::Of(*memo);
    TextLayout layout;
    {
        DrawScope scope(context, memo->frameTyp);
        layout = LayoutText(*memo, memo->expandedMemo, memo->preBroken, context);
    }
    const int count = static_cast<int>(layout.lines.size());
    const int gaps = layout.textHeight - count * layout.lineHeight;
    int fitting = count;
    if (layout.lineHeight > 0) fitting = std::clamp((height - gaps) / layout.lineHeight, 0, count);
    if (fitting == count) return {};
    // The paragraph-end markers belong to pre-broken text; these parts are plain lines.
    for (std::string& line : layout.lines)
        line.erase(std::remove(line.begin(), line.end(), kParagraphEnd), line.end());
    const auto cut = layout.lines.begin() + static_cast<std::ptrdiff_t>(fitting);
    StringList rest(cut, layout.lines.end());
    memo->expandedMemo.assign(layout.lines.begin(), cut);
    return rest;
}

}  // namespace report
