// Drawing any report object onto the context's canvas: one entry point for every kind.
#pragma once

#include "report/core/model/line_view.h"
#include "report/core/model/view.h"
#include "report/core/render/drawing_context.h"

namespace report {

// Draws `view` by its kind: text, picture, line, and in designing mode the placeholders of
// sub-reports, bands and add-in objects. Permanent adjustments (BandAlign, auto-width, line
// normalisation, the laid-out expandedMemo) stay on the object.
void DrawObject(View& view, DrawingContext& context);

// A line becomes horizontal (Height 0, top side) when lower than wide, else vertical (Width 0,
// left side), and is drawn as that frame side.
void DrawLineObject(LineView& line, DrawingContext& context);

}  // namespace report
