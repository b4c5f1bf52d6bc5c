#include "report/core/render/text_painter.h"

#include <algorithm>

#include "report/core/base/rounding.h"
#include "report/core/render/band_placement.h"
#include "report/core/render/frame_painter.h"

namespace report {

namespace {

bool IsRotated(const MemoView& memo) {
    return (memo.alignment & text_align::kRotated) != 0;
}

int32_t Width(const IntRect& r) {
    return r.right - r.left;
}
int32_t Height(const IntRect& r) {
    return r.bottom - r.top;
}

// Removes a trailing paragraph marker; true when there was one.
bool TakeParagraphEnd(std::string& line) {
    if (line.empty() || line.back() != kParagraphEnd) return false;
    line.pop_back();
    return true;
}

void Output(const MemoView& memo, DrawingContext& context, TextOutput output) {
    if (context.exportMode || memo.exportMode) {
        if (context.exportHook) context.exportHook(output);
        return;
    }
    context.canvas->DrawText(output);
}

}  // namespace

void SetCanvasFont(const MemoView& memo, DrawingContext& context, bool rotated) {
    Canvas& canvas = *context.canvas;
    canvas.SetBackgroundMode(BackgroundMode::Transparent);
    // The layout's height times the scale, on every device (the printer's too): advances are
    // linear in the height, so a line that fits in the layout fits wherever it is painted.
    CanvasFont font{memo.font.name, DesignFontHeight(memo.font.size) * context.scaleY,
                    memo.font.style, memo.font.color, rotated};
    canvas.SetFont(font);
}

int32_t ShowText(const MemoView& memo, const StringList& lines, int32_t textHeight,
                 DrawingContext& context) {
    const bool rotated = IsRotated(memo);
    SetCanvasFont(memo, context, rotated);
    Canvas& canvas = *context.canvas;
    canvas.SetCharacterSpacing(RoundToInt(memo.charSpacing * context.scaleX));
    const IntRect& dr = context.drawRect;
    const IntRect clip{dr.left + 1, dr.top, dr.right - 2, dr.bottom - 1};
    const int32_t scaledHeight = RoundToInt(textHeight * context.scaleY);
    const int32_t fontHeight = RoundToInt(canvas.Font().pixelHeight);
    // vertical alignment moves the start for this drawing only
    ObjectGeometry g = context.geometry;
    const uint32_t vertical = memo.alignment & text_align::kVerticalMask;
    if (!rotated) {
        if (vertical == text_align::kMiddle && !memo.partial)
            g.top += HalfOf(Height(dr) - scaledHeight);
        else if (vertical == text_align::kBottom && !memo.partial)
            g.top = dr.bottom - scaledHeight - 1;
    } else {
        if (vertical == text_align::kMiddle)
            g.left += HalfOf(Width(dr) - scaledHeight);
        else if (vertical == text_align::kBottom)
            g.left = dr.right - scaledHeight;
    }
    const uint32_t horizontal = memo.alignment & text_align::kHorizontalMask;
    int32_t drawn = 0;

    if (!rotated) {
        int32_t cursor = g.top + g.gapY;
        const int32_t pitch = RoundToInt(memo.lineSpacing * context.scaleY) + fontHeight;
        // a lone expression in the designer shows its end
        const bool loneExpression = !context.Printing() && lines.size() == 1 && !lines[0].empty() &&
                                    lines[0][0] == '[' && canvas.TextWidth(lines[0]) > Width(clip);
        for (const std::string& laidOut : lines) {
            if (memo.partial && cursor + pitch > clip.bottom) break;
            std::string line = laidOut;
            const bool last = TakeParagraphEnd(line);
            const int32_t width = canvas.TextWidth(line);
            TextOutput output{0, cursor, line, clip, 0};
            const uint32_t align = loneExpression ? text_align::kRight : horizontal;
            switch (align) {
                case text_align::kRight:
                    output.x = g.left + Width(dr) - 1 - g.gapX - width;
                    break;
                case text_align::kCenter:
                    output.x = g.left + g.gapX + HalfOf(Width(dr) - 2 * g.gapX - width);
                    break;
                case text_align::kJustify:
                    output.x = g.left + g.gapX;
                    if (!last && line.find(' ') != std::string::npos)
                        output.justifyExtra = Width(dr) - 2 * g.gapX - width;
                    break;
                default:
                    output.x = g.left + g.gapX;
                    break;
            }
            Output(memo, context, std::move(output));
            ++drawn;
            cursor += pitch;
        }
    } else {
        int32_t cursor = g.left + g.gapX;
        const int32_t pitch = RoundToInt(memo.lineSpacing * context.scaleX) + fontHeight;
        for (const std::string& laidOut : lines) {
            std::string line = laidOut;
            const bool last = TakeParagraphEnd(line);
            const int32_t width = canvas.TextWidth(line);
            TextOutput output{cursor, 0, line, clip, 0};
            switch (horizontal) {
                case text_align::kRight:
                    output.y = g.top + g.gapY + width;
                    break;
                case text_align::kCenter:
                    output.y = dr.bottom - g.gapY - HalfOf(Height(dr) - 2 * g.gapY - width) - 1;
                    break;
                case text_align::kJustify:
                    output.y = dr.bottom + g.top - dr.top - g.gapY;
                    if (!last && line.find(' ') != std::string::npos)
                        output.justifyExtra = Height(dr) - 2 * g.gapY - width;
                    break;
                default:
                    output.y = dr.bottom - g.gapY;
                    break;
            }
            Output(memo, context, std::move(output));
            ++drawn;
            cursor += pitch;
        }
    }
    return drawn;
}

int32_t CalcTextWidth(const MemoView& memo, DrawingContext& context) {
    std::string text;
    for (const std::string& line : memo.memo) {
        for (char c : line)
            if (c != kParagraphEnd) text += c;
        text += "\r\n";
    }
    if (!text.empty()) text.resize(text.size() - 2);
    SetCanvasFont(memo, context);
    Canvas& canvas = *context.canvas;
    canvas.SetCharacterSpacing(RoundToInt(memo.charSpacing * context.scaleX));
    const int32_t w = canvas.MultiLineExtent(text).width;
    return RoundToInt(w / context.scaleX + memo.frameWidth + 2 * memo.gapX + 1);
}

void DrawUnderlines(const MemoView& memo, DrawingContext& context) {
    SetCanvasFont(memo, context);
    Canvas& canvas = *context.canvas;
    const ObjectGeometry& g = context.geometry;
    canvas.SetPen(Pen{memo.frameColor, RoundToInt(g.frameWidth), PenStyle::Solid});
    const int32_t fontHeight = RoundToInt(canvas.Font().pixelHeight);
    const int32_t pitch = RoundToInt(memo.lineSpacing * context.scaleY) + fontHeight;
    if (pitch <= 0) return;  // a negative line spacing larger than the font: no lines to rule
    const int32_t rise = RoundToInt(2 * context.scaleY) + fontHeight;
    for (int32_t i = 0; i < g.height / pitch; ++i) {
        const int32_t y = g.top + g.gapY + pitch * i + rise;
        canvas.DrawLine(g.left, y, g.left + g.width - 1, y);
    }
}

void DrawMemo(MemoView& memo, DrawingContext& context) {
    if (memo.HasFlag(view_flag::kAutoWidth) && !memo.memo.empty() && context.Printing()) {
        const int32_t needed = CalcTextWidth(memo, context);
        if (IsRotated(memo)) {
            memo.height = needed;
        } else {
            if (memo.alignment & text_align::kRight) memo.left += memo.width - needed;
            memo.width = needed;
        }
    }
    PlaceInBand(memo, context);
    memo.partial = false;
    memo.expandedMemo = memo.memo;

    int32_t textHeight = 0;
    if (!memo.expandedMemo.empty()) {
        memo.preBroken = std::any_of(
            memo.expandedMemo.begin(), memo.expandedMemo.end(),
            [](const std::string& line) { return line.find(kParagraphEnd) != line.npos; });
        if (memo.expandedMemo.back() == std::string(1, kParagraphEnd)) memo.expandedMemo.pop_back();
        TextLayout layout;
        {
            UnitScale unit(context);
            context.geometry = ObjectGeometry::Of(memo);
            DrawScope scope(context, memo.frameTyp);
            if (context.Printing() && memo.HasFlag(view_flag::kAutoWidth))
                context.geometry.width += 100;
            layout = LayoutText(memo, memo.expandedMemo, memo.preBroken, context);
        }
        memo.expandedMemo = std::move(layout.lines);
        memo.lineHeight = layout.lineHeight;
        textHeight = layout.textHeight;
    }

    context.geometry = ObjectGeometry::Of(memo);
    {
        DrawScope scope(context, memo.frameTyp);
        if (!context.exportMode && !memo.exportMode) {
            DrawBackground(memo, context);
            DrawFrame(memo, context);
            if (memo.HasFlag(view_flag::kUnderlines) && !context.firstPass)
                DrawUnderlines(memo, context);
        }
        if (!memo.expandedMemo.empty() && !context.firstPass)
            memo.currentLine = ShowText(memo, memo.expandedMemo, textHeight, context);
        context.canvas->SetCharacterSpacing(0);
    }
}

int32_t MeasureTextHeight(MemoView& memo, DrawingContext& context) {
    if (memo.expandedMemo.empty()) return 0;
    context.geometry = ObjectGeometry::Of(memo);
    DrawScope scope(context, memo.frameTyp);
    const TextLayout layout = LayoutText(memo, memo.expandedMemo, memo.preBroken, context);
    memo.lineHeight = layout.lineHeight;
    return layout.textHeight;
}

}  // namespace report
