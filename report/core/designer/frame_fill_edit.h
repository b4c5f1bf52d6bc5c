// The frame and fill editor's change: the sides drawn, the pen and the fill of the selected
// objects.
//
// Colours are 0x00BBGGRR or kNoColor; the width is in design pixels.
#pragma once

#include <cstdint>
#include <optional>

#include "report/core/base/drawing_codes.h"

namespace report {

class DesignDocument;

struct FrameAndFill {
    uint16_t sides = frame_side::kNone;  // frame_side bits
    float width = 1.0f;
    uint16_t style = 0;  // a FrameStyle
    int32_t frameColor = 0;
    int32_t fillColor = kNoColor;
    friend bool operator==(const FrameAndFill&, const FrameAndFill&) = default;
};

inline constexpr float kMaxFrameWidth = 100.0f;

// What the editor opens on: the first selected object's that is not a band (a band's frame
// field holds its band type); nothing when only bands are selected.
std::optional<FrameAndFill> SelectedFrameAndFill(const DesignDocument& document);

// Gives every selected object but the bands `frame` and commits one step. A line keeps its
// side (it is its direction) and draws no fill, so it takes only the pen. EngineError with the
// French message, and nothing changed, when the width is not in (0, kMaxFrameWidth] or the
// style is no FrameStyle. Returns whether anything changed.
bool ApplyFrameAndFill(DesignDocument& document, const FrameAndFill& frame);

}  // namespace report
