// The size of the main window and the column rule of its grid. The window is 500 x 500 pixels
// from the outer edge of its frame, and the columns follow that outer width.
#pragma once

namespace app {

inline constexpr int kMainWindowOuterSize = 500;
inline constexpr int kLabelColumnWidth = 40;
inline constexpr int kGridRowHeight = 30;

// The thickness of the window frame on each side, as the window system reports it (0 where it
// draws none).
struct FrameMargins {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

struct WindowSize {
    int width = 0;
    int height = 0;
    bool operator==(const WindowSize&) const = default;
};

// The inner size that gives the window its outer size of 500 x 500 with this frame.
WindowSize InnerSizeForOuterSize(const FrameMargins& frame);

// Default width of the grid's columns for the window's outer width: (width - 80) div 2,
// truncated toward zero; column 2 is kLabelColumnWidth after it.
int DefaultColumnWidth(int outerWidth);

}  // namespace app
