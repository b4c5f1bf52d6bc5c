// The highlight look of a text object (font style, font colour, fill), worn for one measurement
// or output while its condition holds, and taken off afterwards.
#pragma once

#include "report/core/model/memo_view.h"

namespace report {

class HighlightScope {
  public:
    // `active`: the highlight condition is non-empty and its value is not 0.
    HighlightScope(MemoView& memo, bool active);
    ~HighlightScope();
    HighlightScope(const HighlightScope&) = delete;
    HighlightScope& operator=(const HighlightScope&) = delete;

  private:
    MemoView& memo_;
    bool active_;
    uint16_t style_;
    int32_t fontColor_;
    int32_t fillColor_;
};

}  // namespace report
