// Where objects lie on a design page: their rectangles, the object under a point, the objects a
// rubber band touches, the handles of a selected object and the grid.
//
// Units: design pixels of the page (96 per inch).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "report/core/model/view.h"
#include "report/core/prepared/page_geometry.h"

namespace report {

class Page;

// left, top, left + width, top + height (lines of width or height 0 are flat rectangles).
IntRect RectOf(const View& view);
bool Intersects(const IntRect& a, const IntRect& b);
// The rectangle spanned by two corners, in any order.
IntRect Normalized(int32_t x1, int32_t y1, int32_t x2, int32_t y2);

// The object drawn on top at a point: objects other than bands first, the last drawn first,
// then bands. A flat line is hit within `tolerance` of it.
std::optional<size_t> ObjectAt(const Page& page, int32_t x, int32_t y, int32_t tolerance);
// The objects a rubber band touches, in page order.
std::vector<size_t> ObjectsTouching(const Page& page, const IntRect& area);

// The handles of a selected object, clockwise from the top left corner.
enum class Handle { None, TopLeft, Top, TopRight, Right, BottomRight, Bottom, BottomLeft, Left };
inline constexpr std::array<Handle, 8> kHandles = {
    Handle::TopLeft,     Handle::Top,    Handle::TopRight,   Handle::Right,
    Handle::BottomRight, Handle::Bottom, Handle::BottomLeft, Handle::Left};
// The centre of a handle on the object's rectangle.
void HandleCentre(const IntRect& rect, Handle handle, int32_t& x, int32_t& y);
// The handle within `tolerance` of a point, or None.
Handle HandleAt(const IntRect& rect, int32_t x, int32_t y, int32_t tolerance);

// The nearest multiple of `step`; `value` itself when step <= 1.
int32_t SnapToGrid(int32_t value, int32_t step);

}  // namespace report
