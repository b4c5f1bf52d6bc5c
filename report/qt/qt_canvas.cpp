#include "report/qt/qt_canvas.h"

#include <QImage>
#include <QPaintDevice>
#include <algorithm>
#include <cmath>

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

QtCanvas::QtCanvas(QPainter& painter)
    : painter_(painter), advances_(metrics_), ownsClip_(!painter.hasClipping()) {
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, false);
    ApplyPen();
    SetBrush(brush_);
    SetBackgroundMode(backgroundMode_);
}

QtCanvas::~QtCanvas() {
    // the painter left as the shapes had it, text or not
    if (!painter_.isActive()) return;
    Flush();
    PrepareShapes();
}

void QtCanvas::BatchText() {
    batched_ = true;
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

QtCanvas::Glyphs& QtCanvas::CurrentGlyphs() {
    if (currentGlyphs_ != nullptr) return *currentGlyphs_;
    auto key = std::make_tuple(font_.name, font_.pixelHeight, font_.style);
    auto found = glyphs_.find(key);
    if (found == glyphs_.end()) {
        auto glyphs = std::make_unique<Glyphs>();
        const QFont font = QtFontOf(font_);
        glyphs->raw = QRawFont::fromFont(font);
        if (glyphs->raw.isValid()) {
            // the size the advances were measured at, fractions included
            glyphs->raw.setPixelSize(std::max(1.0, font_.pixelHeight));
            QString characters;
            for (int c = 0; c < 256; ++c)
                characters += ToQString(std::string(1, static_cast<char>(c)));
            const QList<quint32> indexes = glyphs->raw.glyphIndexesForString(characters);
            for (int c = 0; c < 256 && c < indexes.size(); ++c)
                glyphs->index[c] = indexes[c];
            glyphs->ascent = glyphs->raw.ascent();
            glyphs->synthesized = (font.bold() && glyphs->raw.weight() < QFont::DemiBold) ||
                                  (font.italic() && glyphs->raw.style() == QFont::StyleNormal);
        }
        found = glyphs_.emplace(std::move(key), std::move(glyphs)).first;
    }
    currentGlyphs_ = found->second.get();
    return *currentGlyphs_;
}

namespace {

// Whether `box` lies wholly in `clip`, so that clipping to it changes nothing.
bool Inside(const QRectF& box, const QRect& clip) {
    return box.left() >= clip.left() && box.top() >= clip.top() &&
           box.right() <= clip.left() + clip.width() && box.bottom() <= clip.top() + clip.height();
}

}  // namespace

void QtCanvas::DrawText(const TextOutput& output) {
    if (output.text.empty()) return;
    Glyphs& glyphs = CurrentGlyphs();
    if (!glyphs.raw.isValid()) return;
    const CharAdvances& advances = Advances();
    const QRect clip = QtRect(output.clip);
    // nothing shows through an empty clip
    if (clip.isEmpty()) return;
    const bool decorated = (font_.style & 12) != 0;
    // Unrotated and undecorated, the glyphs are placed at the output point itself, so no
    // transform needs undoing; a rotation or Qt's decorations keep the painter's own.
    const bool direct = ownsClip_ && !font_.rotated && !decorated;
    const double originX = direct ? output.x : 0;
    const double originY = direct ? output.y + glyphs.ascent : glyphs.ascent;

    // positions from the measured advances, the spacing and the justification, as measured
    int spaces = 0;
    for (char c : output.text)
        spaces += c == ' ' ? 1 : 0;
    indexes_.clear();
    positions_.clear();
    indexes_.reserve(static_cast<qsizetype>(output.text.size()));
    positions_.reserve(static_cast<qsizetype>(output.text.size()));
    QRectF ink;
    double x = 0;
    int spacesSeen = 0;
    for (char c : output.text) {
        const auto byte = static_cast<unsigned char>(c);
        const QPointF origin(originX + x, originY);
        // a control byte would show the font's box for a missing glyph
        if (!ShowsNoGlyph(byte)) {
            indexes_.push_back(glyphs.index[byte]);
            positions_.push_back(origin);
        }
        if (direct && !ShowsNoGlyph(byte)) {
            if (!glyphs.inkKnown[byte]) {
                glyphs.ink[byte] = glyphs.raw.boundingRect(glyphs.index[byte]);
                glyphs.inkKnown[byte] = true;
            }
            if (!glyphs.ink[byte].isEmpty()) ink |= glyphs.ink[byte].translated(origin);
        }
        x += advances.advance[byte] + CharacterSpacing();
        if (c == ' ' && spaces > 0 && output.justifyExtra != 0) {
            // whole pixels per space, the remainder to the first spaces
            ++spacesSeen;
            x +=
                output.justifyExtra / spaces + (spacesSeen <= output.justifyExtra % spaces ? 1 : 0);
        }
    }
    // An opaque text ground is painted here: Qt's own opaque mode misplaces rotated glyphs.
    const bool ground = backgroundMode_ == BackgroundMode::Opaque &&
                        brush_.style == BrushStyle::Solid && brush_.color != kNoColor;
    if (!direct) {
        FlushText();
        FlushLines();
        QGlyphRun run;
        run.setRawFont(glyphs.raw);
        run.setGlyphIndexes(indexes_);
        run.setPositions(positions_);
        run.setUnderline((font_.style & 4) != 0);
        run.setStrikeOut((font_.style & 8) != 0);
        DrawTextSaved(output, run, ground, x, advances.lineHeight);
        return;
    }

    // Clipping costs the painter a new graphics state: it is left out when all that is
    // painted lies inside the clip anyway, with a margin for rasterizing.
    const QRectF groundBox(output.x, output.y, x, advances.lineHeight);
    QRectF painted = ink.adjusted(-2, -2, 2, 2);
    if (ground) painted |= groundBox;
    const bool needsClip = glyphs.synthesized || !Inside(painted, clip);
    if (batched_ && !needsClip && !ground) {
        GatherText(glyphs, painted);
        return;
    }
    FlushText();
    FlushLines();
    if (!needsClip) {
        if (clip_ && !Inside(painted, *clip_)) {
            painter_.setClipping(false);
            clip_.reset();
        }
    } else if (clip_ != clip) {
        painter_.setClipRect(clip);
        clip_ = clip;
    }
    if (ground) painter_.fillRect(groundBox, QtColorOf(brush_.color));
    if (!textMode_) {
        painter_.setBackgroundMode(Qt::TransparentMode);
        textMode_ = true;
    }
    if (linePen_ || textColor_ != font_.color) {
        painter_.setPen(QtColorOf(font_.color));
        linePen_ = false;
        textColor_ = font_.color;
    }
    QGlyphRun run;
    run.setRawFont(glyphs.raw);
    run.setGlyphIndexes(indexes_);
    run.setPositions(positions_);
    painter_.drawGlyphRun(QPointF(0, 0), run);
}

void QtCanvas::GatherText(Glyphs& glyphs, const QRectF& painted) {
    FlushLinesUnder(painted);
    if (pendingGlyphs_ != &glyphs || pendingColor_ != font_.color) FlushText();
    pendingGlyphs_ = &glyphs;
    pendingColor_ = font_.color;
    pendingIndexes_.append(indexes_);
    pendingPositions_.append(positions_);
    pendingInk_.Add(painted);
}

void QtCanvas::FlushText() {
    if (pendingIndexes_.isEmpty()) return;
    // gathered text needs no clip, only its own pen
    if (clip_) {
        painter_.setClipping(false);
        clip_.reset();
    }
    if (!textMode_) {
        painter_.setBackgroundMode(Qt::TransparentMode);
        textMode_ = true;
    }
    if (linePen_ || textColor_ != pendingColor_) {
        painter_.setPen(QtColorOf(pendingColor_));
        linePen_ = false;
        textColor_ = pendingColor_;
    }
    QGlyphRun run;
    run.setRawFont(pendingGlyphs_->raw);
    run.setGlyphIndexes(pendingIndexes_);
    run.setPositions(pendingPositions_);
    painter_.drawGlyphRun(QPointF(0, 0), run);
    pendingIndexes_.clear();
    pendingPositions_.clear();
    pendingInk_.Clear();
}

void QtCanvas::BoxSet::Add(const QRectF& box) {
    all_ |= box;
    const auto first = static_cast<int64_t>(std::floor(box.top() / kStrip));
    const auto last = static_cast<int64_t>(std::floor(box.bottom() / kStrip));
    for (int64_t strip = first; strip <= last; ++strip)
        strips_[strip].push_back(box);
}

bool QtCanvas::BoxSet::Intersects(const QRectF& box) const {
    if (!all_.intersects(box)) return false;
    const auto first = static_cast<int64_t>(std::floor(box.top() / kStrip));
    const auto last = static_cast<int64_t>(std::floor(box.bottom() / kStrip));
    for (auto strip = strips_.lower_bound(first); strip != strips_.end() && strip->first <= last;
         ++strip) {
        for (const QRectF& other : strip->second)
            if (other.intersects(box)) return true;
    }
    return false;
}

void QtCanvas::BoxSet::Clear() {
    all_ = QRectF();
    strips_.clear();
}

void QtCanvas::FlushTextUnder(const QRectF& shape) {
    // apart, the two may be painted in either order
    if (!pendingIndexes_.isEmpty() && pendingInk_.Intersects(shape)) FlushText();
}

void QtCanvas::FlushLines() {
    if (pendingLines_.isEmpty()) return;
    PrepareShapes();
    painter_.setBrush(Qt::NoBrush);  // a path would be filled too
    painter_.drawPath(pendingLines_);
    SetBrush(brush_);
    pendingLines_.clear();
    pendingSegments_.clear();
    pendingLineBoxes_.Clear();
}

void QtCanvas::FlushLinesUnder(const QRectF& shape) {
    if (!pendingLines_.isEmpty() && pendingLineBoxes_.Intersects(shape)) FlushLines();
}

void QtCanvas::Flush() {
    FlushText();
    FlushLines();
}

void QtCanvas::DrawTextSaved(const TextOutput& output, const QGlyphRun& run, bool ground,
                             double width, int32_t lineHeight) {
    painter_.save();
    painter_.setClipRect(QtRect(output.clip));
    if (font_.rotated) {
        painter_.translate(output.x, output.y);
        painter_.rotate(-90);
    } else {
        painter_.translate(output.x, output.y);
    }
    if (ground) painter_.fillRect(QRectF(0, 0, width, lineHeight), QtColorOf(brush_.color));
    painter_.setBackgroundMode(Qt::TransparentMode);
    painter_.setPen(QtColorOf(font_.color));
    painter_.drawGlyphRun(QPointF(0, 0), run);
    painter_.restore();
}

void QtCanvas::Unclip() {
    if (!clip_) return;
    painter_.setClipping(false);
    clip_.reset();
}

void QtCanvas::PrepareShapes() {
    Unclip();
    if (!linePen_) ApplyPen();
    if (textMode_) {
        textMode_ = false;
        SetBackgroundMode(backgroundMode_);
    }
}

void QtCanvas::ApplyPen() {
    linePen_ = true;
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
    if (linePen_ && pen == pen_) return;
    if (!(pen == pen_)) FlushLines();  // gathered lines keep the pen they were drawn with
    pen_ = pen;
    // set on the painter when a shape needs it
    linePen_ = false;
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
    // after text, set when a shape needs it
    if (textMode_) return;
    painter_.setBackgroundMode(mode == BackgroundMode::Opaque ? Qt::OpaqueMode
                                                              : Qt::TransparentMode);
}

void QtCanvas::DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    if (x1 == x2 && y1 == y2) return;
    const double reach = std::max(1, pen_.width) / 2.0 + 2;
    const QRectF box = QRectF(QPointF(std::min(x1, x2), std::min(y1, y2)),
                              QPointF(std::max(x1, x2), std::max(y1, y2)))
                           .adjusted(-reach, -reach, reach, reach);
    FlushTextUnder(box);
    // solid lines of one pen are gathered into one path; a dash pattern would restart at each
    if (batched_ && pen_.style == PenStyle::Solid && pen_.color != kNoColor) {
        // the border two framed neighbours share is drawn once
        const auto segment = x1 < x2 || (x1 == x2 && y1 < y2) ? std::array{x1, y1, x2, y2}
                                                              : std::array{x2, y2, x1, y1};
        if (!pendingSegments_.insert(segment).second) return;
        pendingLines_.moveTo(x1, y1);
        pendingLines_.lineTo(x2, y2);
        pendingLineBoxes_.Add(box);
        return;
    }
    FlushLines();
    PrepareShapes();
    painter_.drawLine(QPoint(x1, y1), QPoint(x2, y2));
}

void QtCanvas::FillRect(const IntRect& rect) {
    if (brush_.style == BrushStyle::Clear || brush_.color == kNoColor) return;
    FlushTextUnder(QRectF(QtRect(rect)));
    FlushLines();
    Unclip();
    painter_.fillRect(QtRect(rect), QtColorOf(brush_.color));
}

void QtCanvas::DrawRectangle(const IntRect& rect) {
    if (rect.right - rect.left < 1 || rect.bottom - rect.top < 1) return;
    const double reach = std::max(1, pen_.width) / 2.0 + 2;
    FlushTextUnder(QRectF(QtRect(rect)).adjusted(-reach, -reach, reach, reach));
    FlushLines();
    PrepareShapes();
    painter_.drawRect(
        QRect(rect.left, rect.top, rect.right - rect.left - 1, rect.bottom - rect.top - 1));
}

void QtCanvas::DrawImage(const IntRect& target, const DecodedImage& image) {
    if (image.IsEmpty() ||
        image.pixels.size() < static_cast<size_t>(image.width) * static_cast<size_t>(image.height))
        return;
    FlushTextUnder(QRectF(QtRect(target)));
    FlushLines();
    Unclip();
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
