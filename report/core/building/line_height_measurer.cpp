#include "report/core/building/line_height_measurer.h"

#include <cstddef>

#include "report/core/building/view_build_access.h"
#include "report/core/model/memo_view.h"

namespace report {

int LineHeightMeasurer::CalcHeight(Stretchable& object) {
    if (dynamic_cast<MemoView*>(&object) == nullptr) return object.height;
    return static_cast<int>(ExpandedMemo(object).size()) * lineHeight_;
}

StringList LineHeightMeasurer::SplitAt(Stretchable& object, int height) {
    StringList& lines = ExpandedMemo(object);
    const size_t fitting =
        lineHeight_ > 0 && height > 0 ? static_cast<size_t>(height / lineHeight_) : 0;
    if (fitting >= lines.size()) return {};
    StringList rest(lines.begin() + static_cast<std::ptrdiff_t>(fitting), lines.end());
    lines.resize(fitting);
    return rest;
}

}  // namespace report
