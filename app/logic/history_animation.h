// The version history of the about window and the geometry of its rising-text animation.
//
// The lines rise by one pixel per frame from the bottom edge of a box H pixels high: at frame
// `step` (1 to Total()) line i (from 1) is drawn at y = (i - 1) × h + H - step, h being the line
// height. When all lines fit, the text ends with its first line at the top; otherwise with its
// last line at the bottom.
#pragma once

#include <array>
#include <string_view>

namespace app {

// The 18 history lines (UTF-8), empty lines included.
extern const std::array<std::string_view, 18> kHistoryLines;

// Milliseconds between two frames, and the pause on the last frame before the stage hides.
inline constexpr int kHistoryFrameMilliseconds = 55;
inline constexpr int kHistoryFinalPauseMilliseconds = 2000;

// The pacing of one animation (tests shorten it).
struct HistoryTiming {
    int frameMilliseconds = kHistoryFrameMilliseconds;
    int finalPauseMilliseconds = kHistoryFinalPauseMilliseconds;
};

class HistoryAnimation {
  public:
    // lineCount lines of lineHeight pixels in a box boxHeight pixels high.
    HistoryAnimation(int lineCount, int lineHeight, int boxHeight)
        : lineCount_(lineCount), lineHeight_(lineHeight), boxHeight_(boxHeight) {}

    // Number of frames: lineHeight × lineCount when that exceeds the box height, else boxHeight.
    int Total() const {
        const int textHeight = lineHeight_ * lineCount_;
        return textHeight > boxHeight_ ? textHeight : boxHeight_;
    }

    // Top of line `line` (from 1) at frame `step` (from 1), in pixels from the box's top.
    int LineTop(int line, int step) const { return (line - 1) * lineHeight_ + boxHeight_ - step; }

    int LineCount() const { return lineCount_; }
    int LineHeight() const { return lineHeight_; }

  private:
    int lineCount_;
    int lineHeight_;
    int boxHeight_;
};

}  // namespace app
