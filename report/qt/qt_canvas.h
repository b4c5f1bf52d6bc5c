// A Canvas over a QPainter: the preview widget, a QImage, a QPrinter or a QPdfWriter alike.
// Text is measured by the shared 96 dpi font metrics and drawn glyph by glyph at exactly the
// measured positions, so widths agree on every device.
//
// Units: the painter's device pixels. The painter must stay active for the canvas's lifetime;
// the canvas saves and restores nothing of it but its own pen, brush, font and clip choices.
#pragma once

#include <QGlyphRun>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>
#include <array>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <vector>

#include "report/core/render/advance_cache.h"
#include "report/core/render/canvas.h"
#include "report/qt/qt_font_metrics.h"

namespace report {

// Colour 0x00BBGGRR as Qt's; system colours give the button face grey.
QColor QtColorOf(int32_t color);

class QtCanvas : public Canvas {
  public:
    explicit QtCanvas(QPainter& painter);
    ~QtCanvas() override;
    QtCanvas(const QtCanvas&) = delete;
    QtCanvas& operator=(const QtCanvas&) = delete;

    void SetFont(const CanvasFont& font) override;
    const CharAdvances& Advances() override;
    void DrawText(const TextOutput& output) override;
    void SetPen(const Pen& pen) override;
    void SetBrush(const Brush& brush) override;
    void SetBackgroundMode(BackgroundMode mode) override;
    void DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2) override;
    void FillRect(const IntRect& rect) override;
    void DrawRectangle(const IntRect& rect) override;
    void DrawImage(const IntRect& target, const DecodedImage& image) override;
    int32_t DpiY() const override;

    // From now on unclipped text of one font and colour is gathered and painted in one glyph
    // run, and solid lines of one pen in one path (a PDF writer's cost is per run and per
    // path): text before a shape that overlaps it, before text in another font or colour or
    // clipped; lines before text that overlaps them, before another pen or any other shape;
    // both by Flush or by the destructor. What lies apart may reach the painter in another
    // order, which changes nothing painted. Whoever paints on the painter directly in between
    // calls Flush first.
    void BatchText();
    void Flush();

  private:
    // Glyphs of one font for the 256 Windows-1252 characters.
    struct Glyphs {
        QRawFont raw;
        std::array<quint32, 256> index{};
        double ascent = 0;
        // a bold or italic face Qt fakes may paint beyond the outlines' boxes
        bool synthesized = false;
        // ink box of each character around its origin on the baseline, read on first use
        std::array<QRectF, 256> ink{};
        std::array<bool, 256> inkKnown{};
    };
    Glyphs& CurrentGlyphs();
    void ApplyPen();
    // The painter's pen, clip and background mode as the shapes expect them after text.
    void PrepareShapes();
    void Unclip();
    void GatherText(Glyphs& glyphs, const QRectF& painted);
    void FlushText();
    // Paints the gathered text first when it overlaps `shape`, in device pixels.
    void FlushTextUnder(const QRectF& shape);
    void FlushLines();
    void FlushLinesUnder(const QRectF& shape);
    void DrawTextSaved(const TextOutput& output, const QGlyphRun& run, bool ground, double width,
                       int32_t lineHeight);

    QPainter& painter_;
    QtFontMetrics metrics_;
    AdvanceCache advances_;
    const CharAdvances* currentAdvances_ = nullptr;
    std::map<std::tuple<std::string, double, uint16_t>, std::unique_ptr<Glyphs>> glyphs_;
    Glyphs* currentGlyphs_ = nullptr;

    // What the painter holds, so that a text item changes only what differs. Without a clip
    // of the caller's the canvas owns the painter's clip and needs no save and restore.
    const bool ownsClip_;
    bool linePen_ = false;  // the painter's pen is pen_, else the text colour textColor_
    int32_t textColor_ = 0;
    bool textMode_ = false;  // transparent background for text, whatever backgroundMode_
    std::optional<QRect> clip_;
    QList<quint32> indexes_;
    QList<QPointF> positions_;
    bool batched_ = false;
    Glyphs* pendingGlyphs_ = nullptr;  // the font and colour of the text gathered so far
    int32_t pendingColor_ = 0;
    // Boxes of what waits to be painted, found by the horizontal strips they cross.
    class BoxSet {
      public:
        void Add(const QRectF& box);
        bool Intersects(const QRectF& box) const;
        void Clear();

      private:
        static constexpr double kStrip = 256;  // device pixels
        QRectF all_;
        std::map<int64_t, std::vector<QRectF>> strips_;
    };
    BoxSet pendingInk_;          // what the gathered text paints, margins included
    QPainterPath pendingLines_;  // in the pen pen_
    BoxSet pendingLineBoxes_;
    std::set<std::array<int32_t, 4>> pendingSegments_;  // their ends, first the lesser
    QList<quint32> pendingIndexes_;
    QList<QPointF> pendingPositions_;
};

}  // namespace report
