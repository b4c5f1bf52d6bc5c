// Drawing a picture object: stretched, keeping its aspect, centred, or at its own size.
#pragma once

#include "report/core/model/picture_view.h"
#include "report/core/render/drawing_context.h"

namespace report {

// Where a picture of pw x ph pixels goes inside context.drawRect (between BeginDraw and
// EndDraw), output pixels; not clipped to the object.
IntRect PictureTarget(const PictureView& view, const DrawingContext& context, int32_t pw,
                      int32_t ph);

// The whole drawing of a picture object. An undecodable picture shows as a grey box.
void DrawPicture(PictureView& view, DrawingContext& context);

}  // namespace report
