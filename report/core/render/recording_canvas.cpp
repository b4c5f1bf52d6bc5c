#include "report/core/render/recording_canvas.h"

#include <cstdio>
#include <sstream>

namespace report {

namespace {

std::string Hex(int32_t color) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%06X", static_cast<unsigned>(color));
    return buffer;
}

const char* StyleName(PenStyle style) {
    switch (style) {
        case PenStyle::Solid:
            return "solid";
        case PenStyle::Dash:
            return "dash";
        case PenStyle::Dot:
            return "dot";
        case PenStyle::DashDot:
            return "dashdot";
        case PenStyle::DashDotDot:
            return "dashdotdot";
        case PenStyle::Clear:
            return "clear";
    }
    return "?";
}

std::string Rect(const IntRect& r) {
    std::ostringstream s;
    s << '(' << r.left << ',' << r.top << ',' << r.right << ',' << r.bottom << ')';
    return s.str();
}

// Control characters (the 0x01 marker above all) shown so that goldens stay readable.
std::string Visible(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (static_cast<unsigned char>(c) < 32) {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\x%02X", static_cast<unsigned char>(c));
            out += buffer;
        } else {
            out += c;
        }
    }
    return out;
}

struct Describer {
    std::string operator()(const recorded::Text& t) const {
        std::ostringstream s;
        s << "text " << t.output.x << ',' << t.output.y << " \"" << Visible(t.output.text)
          << "\" clip" << Rect(t.output.clip);
        if (t.output.justifyExtra != 0) s << " justify " << t.output.justifyExtra;
        if (t.characterSpacing != 0) s << " spacing " << t.characterSpacing;
        if (t.font.rotated) s << " rotated";
        return s.str();
    }
    std::string operator()(const recorded::Line& l) const {
        std::ostringstream s;
        s << "line " << l.x1 << ',' << l.y1 << '-' << l.x2 << ',' << l.y2 << ' ' << Hex(l.pen.color)
          << " w" << l.pen.width << ' ' << StyleName(l.pen.style);
        return s.str();
    }
    std::string operator()(const recorded::Fill& f) const {
        std::ostringstream s;
        s << "fill " << Rect(f.rect) << ' ' << Hex(f.brush.color);
        return s.str();
    }
    std::string operator()(const recorded::Rectangle& r) const {
        std::ostringstream s;
        s << "rectangle " << Rect(r.rect) << " pen " << Hex(r.pen.color) << " w" << r.pen.width
          << " brush " << Hex(r.brush.color);
        return s.str();
    }
    std::string operator()(const recorded::Image& i) const {
        std::ostringstream s;
        s << "image " << Rect(i.target) << " from " << i.width << 'x' << i.height;
        return s.str();
    }
    std::string operator()(const auto&) const { return {}; }
};

}  // namespace

RecordingCanvas::RecordingCanvas()
    : ownMetrics_(std::make_unique<FixedAdvanceMetrics>()), advances_(*ownMetrics_) {}

RecordingCanvas::RecordingCanvas(const FontMetricsSource& metrics) : advances_(metrics) {}

void RecordingCanvas::SetFont(const CanvasFont& font) {
    font_ = font;
    current_ = nullptr;
    operations_.push_back(recorded::SetFont{font});
}

const CharAdvances& RecordingCanvas::Advances() {
    if (current_ == nullptr) current_ = &advances_.For(font_);
    return *current_;
}

void RecordingCanvas::DrawText(const TextOutput& output) {
    recorded::Text text{output, font_, CharacterSpacing(), {}};
    const int32_t width = TextWidth(output.text) + output.justifyExtra;
    const int32_t height = Advances().lineHeight;
    text.bounds = font_.rotated ? IntRect{output.x, output.y - width, output.x + height, output.y}
                                : IntRect{output.x, output.y, output.x + width, output.y + height};
    operations_.push_back(std::move(text));
}

void RecordingCanvas::SetPen(const Pen& pen) {
    pen_ = pen;
    operations_.push_back(recorded::SetPen{pen});
}

void RecordingCanvas::SetBrush(const Brush& brush) {
    brush_ = brush;
    operations_.push_back(recorded::SetBrush{brush});
}

void RecordingCanvas::SetBackgroundMode(BackgroundMode mode) {
    backgroundMode_ = mode;
    operations_.push_back(recorded::SetBackground{mode});
}

void RecordingCanvas::DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    operations_.push_back(recorded::Line{x1, y1, x2, y2, pen_});
}

void RecordingCanvas::FillRect(const IntRect& rect) {
    operations_.push_back(recorded::Fill{rect, brush_});
}

void RecordingCanvas::DrawRectangle(const IntRect& rect) {
    operations_.push_back(recorded::Rectangle{rect, pen_, brush_});
}

void RecordingCanvas::DrawImage(const IntRect& target, const DecodedImage& image) {
    operations_.push_back(recorded::Image{target, image.width, image.height});
}

std::string Describe(const RecordedOperation& operation) {
    return std::visit(Describer{}, operation);
}

std::vector<std::string> RecordingCanvas::Drawings() const {
    std::vector<std::string> result;
    for (const RecordedOperation& operation : operations_) {
        std::string text = Describe(operation);
        if (!text.empty()) result.push_back(std::move(text));
    }
    return result;
}

std::vector<std::string> RecordingCanvas::Texts() const {
    std::vector<std::string> result;
    for (const RecordedOperation& operation : operations_) {
        if (const auto* text = std::get_if<recorded::Text>(&operation))
            result.push_back(text->output.text);
    }
    return result;
}

}  // namespace report
