#include "report/core/designer/design_geometry.h"

#include <algorithm>
#include <cmath>

#include "report/core/model/page.h"

namespace report {

IntRect RectOf(const View& view) {
    return IntRect{view.left, view.top, view.left + view.width, view.top + view.height};
}

bool Intersects(const IntRect& a, const IntRect& b) {
    return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

IntRect Normalized(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    return IntRect{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}

namespace {

IntRect Grown(const IntRect& rect, int32_t by) {
    return IntRect{rect.left - by, rect.top - by, rect.right + by, rect.bottom + by};
}

bool Hits(const View& view, int32_t x, int32_t y, int32_t tolerance) {
    const IntRect rect = RectOf(view);
    // Flat objects (lines) would be out of reach without some room around them.
    if (rect.right - rect.left <= tolerance || rect.bottom - rect.top <= tolerance)
        return Contains(Grown(rect, tolerance), x, y);
    return Contains(Grown(rect, 1), x, y);
}

}  // namespace

std::optional<size_t> ObjectAt(const Page& page, int32_t x, int32_t y, int32_t tolerance) {
    const size_t count = page.ObjectCount();
    for (size_t i = count; i-- > 0;) {
        const View& view = page.ObjectAt(i);
        if (view.objectType != object_type::kBand && Hits(view, x, y, tolerance)) return i;
    }
    for (size_t i = count; i-- > 0;) {
        const View& view = page.ObjectAt(i);
        if (view.objectType == object_type::kBand && Hits(view, x, y, tolerance)) return i;
    }
    return std::nullopt;
}

std::vector<size_t> ObjectsTouching(const Page& page, const IntRect& area) {
    std::vector<size_t> found;
    for (size_t i = 0; i < page.ObjectCount(); ++i)
        if (Intersects(RectOf(page.ObjectAt(i)), area)) found.push_back(i);
    return found;
}

void HandleCentre(const IntRect& rect, Handle handle, int32_t& x, int32_t& y) {
    const int32_t midX = rect.left + (rect.right - rect.left) / 2;
    const int32_t midY = rect.top + (rect.bottom - rect.top) / 2;
    switch (handle) {
        case Handle::TopLeft:
            x = rect.left, y = rect.top;
            break;
        case Handle::Top:
            x = midX, y = rect.top;
            break;
        case Handle::TopRight:
            x = rect.right, y = rect.top;
            break;
        case Handle::Right:
            x = rect.right, y = midY;
            break;
        case Handle::BottomRight:
            x = rect.right, y = rect.bottom;
            break;
        case Handle::Bottom:
            x = midX, y = rect.bottom;
            break;
        case Handle::BottomLeft:
            x = rect.left, y = rect.bottom;
            break;
        case Handle::Left:
            x = rect.left, y = midY;
            break;
        case Handle::None:
            x = midX, y = midY;
            break;
    }
}

Handle HandleAt(const IntRect& rect, int32_t x, int32_t y, int32_t tolerance) {
    for (Handle handle : kHandles) {
        int32_t hx = 0, hy = 0;
        HandleCentre(rect, handle, hx, hy);
        if (std::abs(x - hx) <= tolerance && std::abs(y - hy) <= tolerance) return handle;
    }
    return Handle::None;
}

int32_t SnapToGrid(int32_t value, int32_t step) {
    if (step <= 1) return value;
    return static_cast<int32_t>(std::lround(static_cast<double>(value) / step)) * step;
}

}  // namespace report
