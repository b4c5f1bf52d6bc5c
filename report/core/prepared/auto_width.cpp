#include "report/core/prepared/auto_width.h"

#include "report/core/model/memo_view.h"

namespace report {

void SettleAutoWidth(MemoView& memo, TextWidthMeasure& measure) {
    if (!memo.HasFlag(view_flag::kAutoWidth) || memo.expandedMemo.empty()) return;
    const int32_t needed = measure.CalcTextWidth(memo);
    if ((memo.alignment & text_align::kRotated) != 0) {
        memo.height = needed;
        return;
    }
    if ((memo.alignment & 1) != 0) memo.left += memo.width - needed;
    memo.width = needed;
}

}  // namespace report
