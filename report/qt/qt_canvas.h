// A Canvas over a QPainter: the preview widget, a QImage, a QPrinter or a QPdfWriter alike.
// Text is measured by the shared 96 dpi font metrics and drawn glyph by glyph at exactly the
// measured positions, so widths agree on every device.
//
// Units: the painter's device pixels. The painter must stay active for the canvas's lifetime;
// the canvas saves and restores nothing of it but its own pen, brush, font and clip choices.
#pragma once

#include <QPainter>
#include <QRawFont>
#include <array>
#include <map>
#include <memory>

#include "report/core/render/advance_cache.h"
#include "report/core/render/canvas.h"
#include "report/qt/qt_font_metrics.h"

namespace report {

// Colour 0x00BBGGRR as Qt's; system colours give the button face grey.
QColor QtColorOf(int32_t color);

class QtCanvas : public Canvas {
  public:
    explicit QtCanvas(QPainter& painter);

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

  private:
    // Glyphs of one font for the 256 Windows-1252 characters.
    struct Glyphs {
        QRawFont raw;
        std::array<quint32, 256> index{};
        double ascent = 0;
    };
    const Glyphs& CurrentGlyphs();
    void ApplyPen();

    QPainter& painter_;
    QtFontMetrics metrics_;
    AdvanceCache advances_;
    const CharAdvances* currentAdvances_ = nullptr;
    std::map<std::tuple<std::string, int32_t, uint16_t>, std::unique_ptr<Glyphs>> glyphs_;
    const Glyphs* currentGlyphs_ = nullptr;
};

}  // namespace report
