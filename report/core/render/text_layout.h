// Breaking a text object's expanded memo into the lines it draws, on the measuring canvas in
// design pixels. A line ending with the marker 0x01 is the last of its paragraph.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "report/core/base/engine_stream.h"
#include "report/core/model/memo_view.h"
#include "report/core/render/drawing_context.h"
#include "report/core/render/hyphenation.h"

namespace report {

inline constexpr char kParagraphEnd = '\x01';

struct TextLayout {
    StringList lines;
    int32_t textHeight = 0;  // lines x pitch + 2 x GapY (rotated: GapX), layout pixels
    int32_t lineHeight = 0;  // the pitch: LineSpacing + font pixel height
};

// The unscaled pixel height of a font of `points` points: round(points x 96 / 72).
int32_t DesignFontHeight(int32_t points);

// Lays out `text` (the expanded memo) in the box of context.geometry, which BeginDraw has set
// at scale 1. `preBroken`: the lines are already broken and are emitted as they are.
TextLayout LayoutText(const MemoView& memo, const StringList& text, bool preBroken,
                      DrawingContext& context);

// Wraps one memo line to `availableWidth` pixels of `canvas`'s font, appending the pieces to
// `out`; with `wordBreak`, words are hyphenated by the rule of `alphabet`. Exposed for tests
// and benchmarks.
void WrapLine(std::string_view line, int32_t availableWidth, bool wordBreak, Canvas& canvas,
              StringList& out, Alphabet alphabet = Alphabet::Latin);

}  // namespace report
