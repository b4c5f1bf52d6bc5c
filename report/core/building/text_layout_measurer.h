// TextLayoutMeasurer: measures text objects as they will be drawn, by laying their expanded
// memo out on a measuring canvas (96 dpi, design pixels).
#pragma once

#include "report/core/building/object_measurer.h"

namespace report {

class Canvas;

class TextLayoutMeasurer final : public ObjectMeasurer {
  public:
    // `measuring` is not owned; it must outlive the measurer.
    explicit TextLayoutMeasurer(Canvas& measuring) : canvas_(measuring) {}

    // Text objects: the laid-out text height (lines x pitch + both gaps); others: their height.
    int CalcHeight(Stretchable& object) override;
    // Cuts after the last laid-out line that ends within `height`. The parts hold the wrapped
    // lines, which lay out again the same at the object's width.
    StringList SplitAt(Stretchable& object, int height) override;

  private:
    Canvas& canvas_;
};

}  // namespace report
