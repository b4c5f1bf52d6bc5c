#include "report/core/render/text_layout.h"

#include "report/core/base/rounding.h"
#include "report/core/render/hyphenation.h"

namespace report {

namespace {

bool IsLineBreak(char c) {
    return c == '\r' || c == '\n';
}
bool IsWordDelimiter(char c) {
    return c == ' ' || c == ',' || c == '-' || c == '.';
}

// Widths of S[start .. end] (1-based, inclusive) for a growing end, measuring each character
// once; agrees exactly with Canvas::TextWidth.
class PrefixMeter {
  public:
    PrefixMeter(std::string_view s, Canvas& canvas)
        : s_(s), advances_(canvas.Advances()), spacing_(canvas.CharacterSpacing()) {}

    int32_t Width(size_t start, size_t end) {
        if (end < start) return 0;
        if (start != from_ || end + 1 < to_) {
            from_ = start;
            to_ = start;  // next character to add
            sum_ = 0;
        }
        while (to_ <= end)
            sum_ += advances_.Of(s_[to_++ - 1]);
        return RoundToInt(sum_) + spacing_ * static_cast<int32_t>(end - start + 1);
    }

    // Width of S[start .. end] followed by a hyphen.
    int32_t WidthWithHyphen(size_t start, size_t end) {
        Width(start, end);
        return RoundToInt(sum_ + advances_.Of('-')) +
               spacing_ * static_cast<int32_t>(end - start + 2);
    }

  private:
    std::string_view s_;
    const CharAdvances& advances_;
    int32_t spacing_;
    size_t from_ = 0;
    size_t to_ = 0;
    double sum_ = 0;
};

}  // namespace

int32_t DesignFontHeight(int32_t points) {
    return RoundToInt(points * 96.0 / 72.0);
}

void WrapLine(std::string_view s, int32_t w, bool wordBreak, Canvas& canvas, StringList& out,
              Alphabet alphabet) {
    const size_t length = s.size();
    // S[a .. b], 1-based and inclusive; empty when b < a
    auto piece = [s](size_t a, size_t b) {
        return b < a ? std::string() : std::string(s.substr(a - 1, b - a + 1));
    };
    auto at = [s](size_t i) { return s[i - 1]; };

    if (s.find_first_of("\r\n") == std::string_view::npos &&
        (length <= 1 || canvas.TextWidth(s) <= w)) {
        out.push_back(std::string(s) + kParagraphEnd);
        return;
    }
    PrefixMeter meter(s, canvas);
    PrefixMeter hyphenMeter(s, canvas);
    size_t delimiter = 0;  // the next word delimiter at or after some i, cached
    size_t start = 1, brk = 1, stuck = 0, i = 1;
    while (i <= length) {
        if (IsLineBreak(at(i))) {
            out.push_back(piece(start, i - 1) + kParagraphEnd);
            while (i < length && IsLineBreak(at(i)))
                ++i;
            if (IsLineBreak(at(i))) return;  // the line ended with its breaks
            start = brk = i;
            continue;
        }
        if (at(i) != ' ' && meter.Width(start, i) > w) {
            bool hyphenated = false;
            if (wordBreak) {
                const size_t overflow = i;
                if (delimiter < i) {
                    delimiter = i;
                    while (delimiter <= length && !IsWordDelimiter(at(delimiter)))
                        ++delimiter;
                }
                const size_t j = delimiter;
                // a break at or after the overflowing character cannot fit
                const std::string_view word =
                    j > brk + 1 ? s.substr(brk, j - 1 - brk) : std::string_view();
                const std::vector<size_t> points = HyphenationPoints(word, alphabet, i - brk);
                if (!points.empty()) {
                    i = brk;
                    for (size_t p : points) {
                        if (hyphenMeter.WidthWithHyphen(start, brk + p) > w) break;
                        hyphenated = true;
                        i = brk + p;
                    }
                    brk = i;
                }
                // No space since the line start and no hyphen: break where it overflowed, as
                // plain wrapping does, rather than one character per line.
                if (!hyphenated && brk == start) brk = i = overflow;
            } else if (brk == start) {
                brk = i;
            }
            if (hyphenated) {
                out.push_back(piece(start, brk) + "-");
            } else if (at(brk) == ' ') {
                out.push_back(piece(start, brk - 1));
            } else {
                out.push_back(piece(start, brk));
            }
            if (wordBreak && !hyphenated && i == brk) {
                if (i == stuck) {
                    start = i + 1;
                    if (start <= length) out.push_back(piece(start, length) + kParagraphEnd);
                    return;
                }
                stuck = i;
            }
            start = brk + 1;
            brk = start;
        }
        if (at(i) == ' ') brk = i;
        ++i;
    }
    if (i != start) out.push_back(piece(start, length) + kParagraphEnd);
}

TextLayout LayoutText(const MemoView& memo, const StringList& text, bool preBroken,
                      DrawingContext& context) {
    Canvas& canvas = context.Measuring();
    const bool rotated = (memo.alignment & text_align::kRotated) != 0;
    CanvasFont font{memo.font.name, static_cast<double>(DesignFontHeight(memo.font.size)),
                    memo.font.style, memo.font.color, rotated};
    canvas.SetFont(font);
    canvas.SetCharacterSpacing(memo.charSpacing);

    const ObjectGeometry& g = context.geometry;
    TextLayout layout;
    const int32_t pitch = memo.lineSpacing + RoundToInt(font.pixelHeight);
    const int32_t available = rotated ? g.height - 2 * g.gapY : g.width - 2 * g.gapX;
    const int32_t origin = rotated ? g.left + g.gapX : g.top + g.gapY;
    const int32_t gap = rotated ? g.gapX : g.gapY;

    if (!rotated && !context.Printing() && text.size() == 1 && !text[0].empty() &&
        text[0][0] == '[' && canvas.TextWidth(text[0]) > available) {
        // a lone expression in the designer shows whole
        layout.lines.push_back(text[0]);
    } else {
        const bool wordWrap = memo.HasFlag(view_flag::kWordWrap);
        const bool wordBreak = memo.HasFlag(view_flag::kWordBreak);
        for (const std::string& line : text) {
            if (preBroken) {
                layout.lines.push_back(line);
            } else if (wordWrap) {
                WrapLine(line, available, wordBreak, canvas, layout.lines,
                         AlphabetOfCharset(memo.font.charset));
            } else {
                layout.lines.push_back(line + kParagraphEnd);
            }
        }
    }
    const int32_t cursor = origin + static_cast<int32_t>(layout.lines.size()) * pitch;
    layout.textHeight = cursor + gap - (rotated ? g.left : g.top);
    layout.lineHeight = pitch;
    return layout;
}

}  // namespace report
