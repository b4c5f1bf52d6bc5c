// LineHeightMeasurer: measures a text object as its number of expanded lines times a fixed
// line height, without wrapping (tests and `etat build --text`, which draw nothing).
#pragma once

#include "report/core/building/object_measurer.h"

namespace report {

class LineHeightMeasurer final : public ObjectMeasurer {
  public:
    // `lineHeight` in design pixels.
    explicit LineHeightMeasurer(int lineHeight) : lineHeight_(lineHeight) {}
    // Text objects: lines x line height; other objects: their own height.
    int CalcHeight(Stretchable& object) override;
    // Whole lines only.
    StringList SplitAt(Stretchable& object, int height) override;

  private:
    int lineHeight_;
};

}  // namespace report
