// Text painted with real fonts at the resolutions of screens and printers takes the width it
// was laid out with: no line's ink goes past its laid-out end, and none falls short of it by
// more than its last letter's own margin, whatever the scale, font, size or canvas mode.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRawFont>
#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "report/core/base/rounding.h"
#include "report/core/model/memo_view.h"
#include "report/core/printer/printer_layer.h"
#include "report/core/render/page_painter.h"
#include "report/core/render/text_layout.h"
#include "report/qt/font_mapping.h"
#include "report/qt/qt_canvas.h"
#include "report/qt/qt_drawing_kit.h"

namespace report {
namespace {

QGuiApplication& App() {
    static int argc = 1;
    static char name[] = "painted_width_test";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    return app;
}

// The rightmost column holding ink (grey below 160) in rows [top, bottom), or -1.
int RightmostInk(const QImage& image, int top, int bottom) {
    for (int x = image.width() - 1; x >= 0; --x)
        for (int y = std::max(0, top); y < std::min(bottom, image.height()); ++y)
            if (qGray(image.pixel(x, y)) < 160) return x;
    return -1;
}

// The leftmost column holding ink, or -1.
int LeftmostInk(const QImage& image, int top, int bottom) {
    for (int x = 0; x < image.width(); ++x)
        for (int y = std::max(0, top); y < std::min(bottom, image.height()); ++y)
            if (qGray(image.pixel(x, y)) < 160) return x;
    return -1;
}

TEST(PaintedWidth, EveryLineKeepsItsLaidOutWidthOnEveryDevice) {
    App();
    QtDrawingKit kit;
    // Lines as users write them, the last letter accented ("à") or plain.
    const std::string lines[] = {
        "Les rencontres du tour suivant se jouent le samedi \xE0",
        "Tirage au sort des rencontres de la poule A, suivant",
    };
    const char* fonts[] = {"Arial", "Times New Roman", "Courier New"};
    const int32_t sizes[] = {8, 10, 13, 16};
    const int dpis[] = {96, 300, 600, 1200};
    double worstShortfall = 0;
    for (const int dpi : dpis) {
        const double scale = dpi / Printer::kDesignPixelsPerInch;
        for (const char* font : fonts) {
            for (const int32_t size : sizes) {
                for (const std::string& text : lines) {
                    for (const bool printer : {false, true}) {
                        SCOPED_TRACE(std::to_string(dpi) + " dpi, " + font + " " +
                                     std::to_string(size) + " pt, " + (printer ? "printer " : "") +
                                     text);
                        // Laid out as a build does: 96-dpi design pixels, the layout's height.
                        kit.measuring.SetFont(
                            CanvasFont{font, static_cast<double>(DesignFontHeight(size)), 0, 0});
                        const double laidOut = kit.measuring.Advances().Sum(text);
                        std::vector<std::unique_ptr<View>> page;
                        auto memo = std::make_unique<MemoView>();
                        memo->left = 10;
                        memo->top = 4;
                        memo->width = static_cast<int32_t>(laidOut) + 60;  // nothing clipped
                        memo->height = DesignFontHeight(size) * 2;
                        memo->gapX = 0;
                        memo->font.name = font;
                        memo->font.size = size;
                        memo->memo = {text};
                        page.push_back(std::move(memo));

                        const int width = static_cast<int>(std::ceil((laidOut + 80) * scale));
                        const int height =
                            static_cast<int>(std::ceil((DesignFontHeight(size) * 2 + 8) * scale));
                        QImage image(width, height, QImage::Format_RGB32);
                        image.fill(Qt::white);
                        {
                            QPainter painter(&image);
                            QtCanvas canvas(painter);
                            PagePaintOptions options;
                            options.measuringCanvas = &kit.measuring;
                            options.printerCanvasMode = printer;
                            PaintPage(page, canvas, scale, scale, 0, 0, options);
                        }
                        // The text starts half a frame width inside the object's left edge.
                        const int x0 = RoundToInt(10 * scale) + RoundToInt(1.0 * scale / 2);
                        const double end = x0 + laidOut * scale;
                        const int right = RightmostInk(image, 0, height);
                        ASSERT_GE(right, 0) << "nothing painted";
                        // The last letter's ink may reach past its advance by its own
                        // overhang; anti-aliasing adds a pixel.
                        const QRawFont raw = QRawFont::fromFont(
                            QtFontOf(CanvasFont{font, DesignFontHeight(size) * scale, 0, 0}));
                        QRawFont sized = raw;
                        sized.setPixelSize(DesignFontHeight(size) * scale);
                        const auto glyph = sized.glyphIndexesForString(
                            QString::fromLatin1(text.substr(text.size() - 1).c_str(), 1));
                        const QRectF ink = sized.boundingRect(glyph.value(0));
                        const double advance =
                            sized.advancesForGlyphIndexes(glyph, QRawFont::UseDesignMetrics)
                                .value(0)
                                .x();
                        const double margin = advance - ink.right();
                        EXPECT_LE(right, end + std::max(0.0, -margin) + 1)
                            << "ink " << right - end << " pixels past the laid-out end " << end;
                        // Short of the end by no more than the last letter's right margin
                        // (and the faint edge of a small letter's anti-aliased stem).
                        const double shortfall = end - margin - right;
                        worstShortfall = std::max(worstShortfall, shortfall / scale);
                        EXPECT_LE(shortfall, 3 + 0.002 * laidOut * scale)
                            << "painted narrower than laid out";
                        EXPECT_GE(LeftmostInk(image, 0, height), x0 - 2);
                    }
                }
            }
        }
    }
    RecordProperty("WorstShortfallDesignPixels", std::to_string(worstShortfall));
}

}  // namespace
}  // namespace report
