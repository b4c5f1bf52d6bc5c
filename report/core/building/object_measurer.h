// How a build measures the height that a stretchable object needs (CalcHeight). The drawing
// layer implements it with the object's fonts; tests use LineHeightMeasurer.
#pragma once

#include "report/core/base/engine_stream.h"

namespace report {

class Stretchable;

class ObjectMeasurer {
  public:
    virtual ~ObjectMeasurer() = default;
    // The height in design pixels that the object needs at its current width. A text object's
    // ExpandedMemo already holds the text to measure.
    virtual int CalcHeight(Stretchable& object) = 0;
    // Cuts a text object's ExpandedMemo where `height` design pixels end: the part that fits
    // stays in it, the rest is returned (a band split across pages prints it further on).
    virtual StringList SplitAt(Stretchable& object, int height) = 0;
};

}  // namespace report
