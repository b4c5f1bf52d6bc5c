// BandAlign: the first step of every object's drawing, on its unscaled geometry. The changes it
// makes to Left, Top and Width are permanent.
#pragma once

#include "report/core/model/view.h"
#include "report/core/render/drawing_context.h"

namespace report {

class BandView;

// Applies the object's BandAlign against the context's printable area (nothing without one)
// and, in designing mode, against the band that holds the object.
void PlaceInBand(View& view, const DrawingContext& context);

// The last band of `page` (in object order) whose rectangle, edges included, holds the
// object's top-left corner; null when there is none.
const BandView* BandHolding(const View& view, const Page& page);

}  // namespace report
