#include "report/core/render/canvas.h"

#include <algorithm>

#include "report/core/base/rounding.h"

namespace report {

int32_t Canvas::TextWidth(std::string_view text) {
    if (text.empty()) return 0;
    const CharAdvances& advances = Advances();
    return RoundToInt(advances.Sum(text)) + characterSpacing_ * static_cast<int32_t>(text.size());
}

TextExtent Canvas::MultiLineExtent(std::string_view text) {
    TextExtent extent;
    int32_t lines = 0;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        extent.width = std::max(extent.width, TextWidth(text.substr(start, end - start)));
        ++lines;
        if (end == text.size()) break;
        // CR LF counts as one break
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
    }
    extent.height = lines * Advances().lineHeight;
    return extent;
}

bool Canvas::IntersectsClip(const IntRect& rect) const {
    if (rect.left >= rect.right || rect.top >= rect.bottom) return false;
    if (!clip_) return true;
    for (const IntRect& part : *clip_) {
        if (rect.left < part.right && part.left < rect.right && rect.top < part.bottom &&
            part.top < rect.bottom)
            return true;
    }
    return false;
}

}  // namespace report
