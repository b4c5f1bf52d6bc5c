// Background fill and frame of any object, between BeginDraw and EndDraw (output pixels).
#pragma once

#include "report/core/model/view.h"
#include "report/core/render/drawing_context.h"

namespace report {

// Fills the object with FillColor; a transparent fill paints nothing while printing and white
// while designing.
void DrawBackground(const View& view, DrawingContext& context);

// Draws the frame sides of FrameTyp in FrameColor, FrameStyle and the scaled FrameWidth;
// while designing also the black corner marks.
void DrawFrame(const View& view, DrawingContext& context);

}  // namespace report
