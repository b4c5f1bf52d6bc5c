#include "report/qt/qt_canvas.h"

#include <QGlyphRun>
#include <QImage>
#include <QPaintDevice>

#include "report/core/model/view.h"
#include "report/qt/font_mapping.h"
#include "report/qt/qt_text.h"

namespace report {

namespace {

constexpr QRgb kButtonFace = 0xFFF0F0F0;

Qt::PenStyle QtPenStyle(PenStyle style) {
    switch (style) {
        case PenStyle::Dash:
            return Qt::DashLine;
        case PenStyle::Dot:
            return Qt::DotLine;
        case PenStyle::DashDot:
            return Qt::DashDotLine;
        case PenStyle::DashDotDot:
            return Qt::DashDotDotLine;
        case PenStyle::Clear:
            return Qt::NoPen;
        case PenStyle::Solid:
            break;
    }
    return Qt::SolidLine;
}

QRect QtRect(const IntRect& r) {
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

}  // namespace

QColor QtColorOf(int32_t color) {
    if (color == kNoColor) return QColor(Qt::transparent);
    if ((static_cast<uint32_t>(color) & 0x80000000u) != 0) return QColor::fromRgba(kButtonFace);
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

QtCanvas::QtCanvas(QPainter& painter) : painter_(painter), advances_(metrics_) {
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, false);
    SetPen(pen_);
    SetBrush(brush_);
    SetBackgroundMode(backgroundMode_);
}

void QtCanvas::SetFont(const CanvasFont& font) {
    font_ = font;
    currentAdvances_ = nullptr;
    currentGlyphs_ = nullptr;
}

const CharAdvances& QtCanvas::Advances() {
    if (currentAdvances_ == nullptr) currentAdvances_ = &advances_.For(font_);
    return *currentAdvances_;
}

const QtCanvas::Glyphs& QtCanvas::CurrentGlyphs() {
    if (currentGlyphs_ != nullptr) return *currentGlyphs_;
    auto key = std::make_tuple(font_.name, font_.pixelHeight, font_.style);
    auto found = glyphs_.find(key);
    if (found == glyphs_.end()) {
        auto glyphs = std::make_unique<Glyphs>();
        glyphs->raw = QRawFont::fromFont(QtFontOf(font_));
        if (glyphs->raw.isValid()) {
            QString characters;
            for (int c = 0; c < 256; ++c)
                characters += ToQString(std::string(1, static_cast<char>(c)));
            const QList<quint32> indexes = glyphs->raw.glyphIndexesForString(characters);
            for (int c = 0; c < 256 && c < indexes.size(); ++c)
                glyphs->index[c] = indexes[c];
            glyphs->ascent = glyphs->raw.ascent();
        }
        found = glyphs_.emplace(std::move(key), std::move(glyphs)).first;
    }
    currentGlyphs_ = found->second.get();
    return *currentGlyphs_;
}

void QtCanvas::DrawText(const TextOutput& output) {
    if (output.text.empty()) return;
    const Glyphs& glyphs = CurrentGlyphs();
    if (!glyphs.raw.isValid()) return;
    const CharAdvances& advances = Advances();

    // positions from the measured advances, the spacing and the justification, as measured
    int spaces = 0;
    for (char c : output.text)
        spaces += c == ' ' ? 1 : 0;
    QList<quint32> indexes;
    QList<QPointF> positions;
    indexes.reserve(static_cast<qsizetype>(output.text.size()));
    positions.reserve(static_cast<qsizetype>(output.text.size()));
    double x = 0;
    int spacesSeen = 0;
    for (char c : output.text) {
        const auto byte = static_cast<unsigned char>(c);
        indexes.push_back(glyphs.index[byte]);
        positions.push_back(QPointF(x, glyphs.ascent));
        x += advances.advance[byte] + CharacterSpacing();
        if (c == ' ' && spaces > 0 && output.justifyExtra != 0) {
            // whole pixels per space, the remainder to the first spaces
            ++spacesSeen;
            x +=
                output.justifyExtra / spaces + (spacesSeen <= output.justifyExtra % spaces ? 1 : 0);
        }
    }
    QGlyphRun run;
    run.setRawFont(glyphs.raw);
    run.setGlyphIndexes(indexes);
    run.setPositions(positions);
    run.setUnderline((font_.style & 4) != 0);
    run.setStrikeOut((font_.style & 8) != 0);

    painter_.save();
    painter_.setClipRect(QtRect(output.clip));
    if (font_.rotated) {
        painter_.translate(output.x, output.y);
        painter_.rotate(-90);
    } else {
        painter_.translate(output.x, output.y);
    }
    // An opaque text ground is painted here: Qt's own opaque mode misplaces rotated glyphs.
    if (backgroundMode_ == BackgroundMode::Opaque && brush_.style == BrushStyle::Solid &&
        brush_.color != kNoColor)
        painter_.fillRect(QRectF(0, 0, x, advances.lineHeight), QtColorOf(brush_.color));
    painter_.setBackgroundMode(Qt::TransparentMode);
    painter_.setPen(QtColorOf(font_.color));
    painter_.drawGlyphRun(QPointF(0, 0), run);
    painter_.restore();
}

void QtCanvas::ApplyPen() {
    if (pen_.color == kNoColor || pen_.style == PenStyle::Clear) {
        painter_.setPen(Qt::NoPen);
        return;
    }
    QPen pen(QtColorOf(pen_.color));
    pen.setWidth(std::max(1, pen_.width));
    pen.setStyle(QtPenStyle(pen_.style));
    // a line stops before its last point
    pen.setCapStyle(Qt::FlatCap);
    painter_.setPen(pen);
}

void QtCanvas::SetPen(const Pen& pen) {
    pen_ = pen;
    ApplyPen();
}

void QtCanvas::SetBrush(const Brush& brush) {
    brush_ = brush;
    if (brush.style == BrushStyle::Clear || brush.color == kNoColor)
        painter_.setBrush(Qt::NoBrush);
    else
        painter_.setBrush(QtColorOf(brush.color));
    // the ground between dashes takes the brush colour
    painter_.setBackground(QtColorOf(brush.style == BrushStyle::Clear ? kNoColor : brush.color));
}

void QtCanvas::SetBackgroundMode(BackgroundMode mode) {
    backgroundMode_ = mode;
    painter_.setBackgroundMode(mode == BackgroundMode::Opaque ? Qt::OpaqueMode
                                                              : Qt::TransparentMode);
}

void QtCanvas::DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    if (x1 == x2 && y1 == y2) return;
    painter_.drawLine(QPoint(x1, y1), QPoint(x2, y2));
}

void QtCanvas::FillRect(const IntRect& rect) {
    if (brush_.style == BrushStyle::Clear || brush_.color == kNoColor) return;
    painter_.fillRect(QtRect(rect), QtColorOf(brush_.color));
}

void QtCanvas::DrawRectangle(const IntRect& rect) {
    if (rect.right - rect.left < 1 || rect.bottom - rect.top < 1) return;
    painter_.drawRect(
        QRect(rect.left, rect.top, rect.right - rect.left - 1, rect.bottom - rect.top - 1));
}

void QtCanvas::DrawImage(const IntRect& target, const DecodedImage& image) {
    if (image.IsEmpty() ||
        image.pixels.size() < static_cast<size_t>(image.width) * static_cast<size_t>(image.height))
        return;
    const QImage view(reinterpret_cast<const uchar*>(image.pixels.data()), image.width,
                      image.height, image.width * 4, QImage::Format_ARGB32);
    // a copy that owns its pixels: a paint engine may keep the image after this call
    painter_.drawImage(QtRect(target), view.convertToFormat(QImage::Format_ARGB32_Premultiplied));
}

int32_t QtCanvas::DpiY() const {
    const QPaintDevice* device = painter_.device();
    return device != nullptr ? device->logicalDpiY() : 96;
}

}  // namespace report
