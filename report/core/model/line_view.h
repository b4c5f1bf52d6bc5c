// The line object: a vertical line drawn as the left side of its rectangle (FrameTyp 4), or a
// horizontal one drawn as the top side (FrameTyp 8).
#pragma once

#include "report/core/model/view.h"

namespace report {

class LineView : public Stretchable {
  public:
    LineView() : Stretchable(object_type::kLine, "Line") { frameTyp = frame_side::kLeft; }
    std::string ClassName() const override { return "LineView"; }
};

}  // namespace report
