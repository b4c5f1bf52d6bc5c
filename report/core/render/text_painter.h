// Drawing a text object: font selection, the laid-out lines with their alignment, auto-width,
// underlines and the height the text needs.
#pragma once

#include <cstdint>

#include "report/core/model/memo_view.h"
#include "report/core/render/drawing_context.h"
#include "report/core/render/text_layout.h"

namespace report {

// Selects the object's font on the painting canvas at the layout's pixel height times the
// scale (fractional), rotated when asked; background mode transparent.
void SetCanvasFont(const MemoView& memo, DrawingContext& context, bool rotated = false);

// Draws laid-out lines inside context.drawRect (between BeginDraw and EndDraw). `textHeight` is
// the layout's, in design pixels. Honours memo.partial (only lines that fit). Returns the
// number of lines drawn.
int32_t ShowText(const MemoView& memo, const StringList& lines, int32_t textHeight,
                 DrawingContext& context);

// The width, design pixels, that the memo's text needs with frame and gaps (auto-width).
int32_t CalcTextWidth(const MemoView& memo, DrawingContext& context);

// Rule lines under every text line (Flags bit 7), between BeginDraw and EndDraw.
void DrawUnderlines(const MemoView& memo, DrawingContext& context);

// The whole drawing of a text object: auto-width, BandAlign, layout of the memo into
// expandedMemo, background, frame, underlines and text. Auto-width and BandAlign changes to the
// geometry are permanent.
void DrawMemo(MemoView& memo, DrawingContext& context);

// The height, design pixels, that the object's expandedMemo needs at the object's width
// (0 when it is empty); sets memo.lineHeight. Used to stretch bands while building.
int32_t MeasureTextHeight(MemoView& memo, DrawingContext& context);

}  // namespace report
