// Settling the size of an auto-width text object when its prepared page is expanded: the
// prepared page may have been saved with a stale size. The width the text needs is measured by
// the drawing layer, reached through TextWidthMeasure.
#pragma once

#include <cstdint>

namespace report {

class MemoView;

class TextWidthMeasure {
  public:
    virtual ~TextWidthMeasure() = default;
    // The width, in design pixels, that the object's finished text (ExpandedMemo) needs in
    // printing mode, frame and gaps included (the text object's CalcTextWidth).
    virtual int32_t CalcTextWidth(const MemoView& memo) = 0;
};

// With AutoWidth set and a finished text: a rotated object takes the measured width as its
// height; otherwise it takes it as its width, a right-aligned or justified one keeping its
// right edge. Other objects are left alone.
void SettleAutoWidth(MemoView& memo, TextWidthMeasure& measure);

}  // namespace report
