#include "report/core/render/highlight.h"

namespace report {

HighlightScope::HighlightScope(MemoView& memo, bool active)
    : memo_(memo),
      active_(active),
      style_(memo.font.style),
      fontColor_(memo.font.color),
      fillColor_(memo.fillColor) {
    if (!active) return;
    memo.font.style = memo.highlight.fontStyle;
    memo.font.color = memo.highlight.fontColor;
    memo.fillColor = memo.highlight.fillColor;
}

HighlightScope::~HighlightScope() {
    if (!active_) return;
    memo_.font.style = style_;
    memo_.font.color = fontColor_;
    memo_.fillColor = fillColor_;
}

}  // namespace report
