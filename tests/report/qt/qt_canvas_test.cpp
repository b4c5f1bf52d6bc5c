#include "report/qt/qt_canvas.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QFontInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPdfWriter>
#include <QPrinter>
#include <QProcess>
#include <cstdlib>

#include "report/core/render/page_painter.h"
#include "report/qt/font_mapping.h"
#include "report/qt/qt_font_metrics.h"
#include "report/qt/qt_image_decoder.h"
#include "tests/report/qt/sample_page.h"

namespace report::testing {
namespace {

QGuiApplication& App() {
    static int argc = 1;
    static char name[] = "qt_canvas_test";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    return app;
}

class QtCanvasTest : public ::testing::Test {
  protected:
    void SetUp() override { App(); }

    static QString OutputPath(const char* name) {
        const char* dir = std::getenv("TOMBAGE_BINARY_DIR");
        return QString::fromLocal8Bit(dir != nullptr ? dir : ".") + "/" + name;
    }

    static QImage Blank(int width, int height) {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::white);
        return image;
    }

    static int DarkPixels(const QImage& image, const QRect& area) {
        int dark = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (qGray(image.pixel(x, y)) < 128) ++dark;
        return dark;
    }
};

TEST_F(QtCanvasTest, WindowsFontsMapToMetricCompatibleFamilies) {
    struct Case {
        const char* windows;
        const char* linux;
    } cases[] = {{"Arial", "Liberation Sans"},
                 {"arial", "Liberation Sans"},
                 {"Times New Roman", "Liberation Serif"},
                 {"Courier New", "Liberation Mono"},
                 {"MS Sans Serif", "Liberation Sans"},
                 {"Microsoft Sans Serif", "Liberation Sans"},
                 {"Segoe UI", "Liberation Sans"},
                 {"Verdana", "DejaVu Sans"},
                 {"Lucida Console", "Liberation Mono"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.windows);
        EXPECT_EQ(LinuxFontFamily(c.windows), QString(c.linux));
        EXPECT_EQ(QFontInfo(QtFontOf(CanvasFont{c.windows, 13, 0, 0, false})).family(),
                  QString(c.linux));
    }
    EXPECT_EQ(LinuxFontFamily("Wingdings"), QString("Wingdings"));
}

// Tahoma, Verdana's narrow sibling, takes the condensed form of the family that stands for
// Verdana, not the wider one fontconfig would give it; MS Sans Serif measures as Arial.
TEST_F(QtCanvasTest, InterfaceFontsKeepAboutTheirWindowsWidths) {
    QtFontMetrics metrics;
    const std::string text = "Tirage au sort";
    const double tahoma = metrics.Measure(CanvasFont{"Tahoma", 13, 0, 0, false}).Sum(text);
    const double verdana = metrics.Measure(CanvasFont{"Verdana", 13, 0, 0, false}).Sum(text);
    const double arial = metrics.Measure(CanvasFont{"Arial", 13, 0, 0, false}).Sum(text);
    const double sansSerif =
        metrics.Measure(CanvasFont{"MS Sans Serif", 13, 0, 0, false}).Sum(text);
    RecordProperty("TahomaPixels", std::to_string(tahoma));
    RecordProperty("VerdanaPixels", std::to_string(verdana));
    RecordProperty("ArialPixels", std::to_string(arial));
    EXPECT_LT(tahoma, verdana * 0.95);
    EXPECT_DOUBLE_EQ(sansSerif, arial);
}

TEST_F(QtCanvasTest, WidthsScaleWithThePixelHeight) {
    QtFontMetrics metrics;
    const std::string text = "Tombage : tirage au sort";
    const CharAdvances small = metrics.Measure(CanvasFont{"Arial", 13, 0, 0, false});
    const CharAdvances large = metrics.Measure(CanvasFont{"Arial", 130, 0, 0, false});
    EXPECT_GT(small.Sum(text), 100);
    EXPECT_NEAR(large.Sum(text), 10 * small.Sum(text), 1e-9);
    // Courier New keeps its fixed pitch
    const CharAdvances mono = metrics.Measure(CanvasFont{"Courier New", 20, 0, 0, false});
    EXPECT_DOUBLE_EQ(mono.Of('i'), mono.Of('W'));
}

TEST_F(QtCanvasTest, DrawsLinesFillsAndTextWhereMeasured) {
    QImage image = Blank(200, 100);
    {
        QPainter painter(&image);
        QtCanvas canvas(painter);
        canvas.SetBrush(Brush{0x00FFFF, BrushStyle::Solid});  // yellow
        canvas.FillRect(IntRect{10, 10, 20, 20});
        canvas.SetPen(Pen{0, 1, PenStyle::Solid});
        canvas.DrawLine(30, 10, 30, 20);
        canvas.SetFont(CanvasFont{"Arial", 20, 0, 0, false});
        const int32_t width = canvas.TextWidth("MMMM");
        canvas.DrawText(TextOutput{50, 10, "MMMM", IntRect{0, 0, 200, 100}, 0});
        painter.end();
        EXPECT_GT(DarkPixels(image, QRect(50, 10, width, 20)), 40);
        EXPECT_EQ(DarkPixels(image, QRect(50 + width + 1, 0, 20, 100)), 0)
            << "nothing beyond the measured width";
    }
    EXPECT_EQ(image.pixel(10, 10), qRgb(255, 255, 0));
    EXPECT_EQ(image.pixel(19, 19), qRgb(255, 255, 0));
    EXPECT_EQ(image.pixel(20, 20), qRgb(255, 255, 255)) << "right and bottom edges excluded";
    EXPECT_EQ(image.pixel(30, 10), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(30, 20), qRgb(255, 255, 255)) << "the last point is not drawn";
}

// Data may hold control bytes: a tab is a blank, BEL and the bytes Windows-1252 leaves
// undefined neither show a box nor take room.
TEST_F(QtCanvasTest, ControlBytesShowNothingAndATabIsABlank) {
    auto paint = [](const std::string& text) {
        QImage image = Blank(200, 40);
        QPainter painter(&image);
        QtCanvas canvas(painter);
        canvas.SetFont(CanvasFont{"Arial", 20, 0, 0, false});
        canvas.DrawText(TextOutput{10, 10, text, IntRect{0, 0, 200, 40}, 0});
        painter.end();
        return image;
    };
    struct Case {
        const char* name;
        std::string text;
        std::string looksLike;
    };
    const Case cases[] = {
        {"a tab", "ab\tcd", "ab cd"},
        {"BEL",
         "ab\x07"
         "cd",
         "abcd"},
        {"an undefined byte",
         "ab\x81"
         "cd",
         "abcd"},
        {"a NUL and a DEL", std::string("ab\0c\x7F", 5) + "d", "abcd"},
        {"the other undefined bytes",
         "a\x8D\x8F\x90\x9D"
         "bcd",
         "abcd"},
    };
    QtFontMetrics metrics;
    const CharAdvances advances = metrics.Measure(CanvasFont{"Arial", 20, 0, 0, false});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_DOUBLE_EQ(advances.Sum(c.text), advances.Sum(c.looksLike));
        EXPECT_EQ(paint(c.text), paint(c.looksLike));
    }
}

TEST_F(QtCanvasTest, ClipsTextAndRotatesIt) {
    QImage image = Blank(200, 200);
    {
        QPainter painter(&image);
        QtCanvas canvas(painter);
        canvas.SetFont(CanvasFont{"Arial", 20, 0, 0, false});
        canvas.DrawText(TextOutput{10, 10, "MMMMMMMM", IntRect{10, 10, 40, 40}, 0});
        canvas.SetFont(CanvasFont{"Arial", 20, 0, 0, true});
        canvas.DrawText(TextOutput{100, 190, "MMMM", IntRect{0, 0, 200, 200}, 0});
    }
    EXPECT_GT(DarkPixels(image, QRect(10, 10, 30, 30)), 20);
    EXPECT_EQ(DarkPixels(image, QRect(40, 0, 50, 60)), 0) << "clipped at the right";
    // reading upward: a tall narrow strip right of x = 100, above y = 190
    EXPECT_GT(DarkPixels(image, QRect(100, 120, 22, 70)), 40);
    EXPECT_EQ(DarkPixels(image, QRect(125, 100, 70, 100)), 0);
}

// The canvas keeps its clip, pen and background mode on the painter from one text to the
// next: a shape after clipped text is neither clipped nor drawn in the text colour.
TEST_F(QtCanvasTest, ShapesAfterTextKeepTheirOwnPenAndNoClip) {
    QImage image = Blank(200, 100);
    {
        QPainter painter(&image);
        QtCanvas canvas(painter);
        canvas.SetPen(Pen{0x0000FF, 1, PenStyle::Solid});  // red
        canvas.SetFont(CanvasFont{"Arial", 20, 0, 0x008000, false});
        canvas.DrawText(TextOutput{10, 10, "MMMMMMMM", IntRect{10, 10, 40, 40}, 0});
        canvas.DrawLine(100, 50, 150, 50);
        canvas.DrawText(TextOutput{10, 60, "MM", IntRect{0, 0, 200, 100}, 0});
        canvas.SetBrush(Brush{0xFF0000, BrushStyle::Solid});  // blue
        canvas.FillRect(IntRect{180, 80, 190, 90});
        canvas.DrawText(TextOutput{60, 60, "MMMM", IntRect{60, 60, 70, 100}, 0});
        canvas.DrawLine(100, 70, 150, 70);
    }
    EXPECT_EQ(image.pixel(120, 50), qRgb(255, 0, 0)) << "the pen, not the text colour";
    EXPECT_EQ(image.pixel(120, 70), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(185, 85), qRgb(0, 0, 255)) << "a fill after clipped text";
    EXPECT_GT(DarkPixels(image, QRect(10, 60, 30, 25)), 20) << "unclipped text after clipped";
    EXPECT_EQ(DarkPixels(image, QRect(40, 0, 20, 60)), 0) << "clipped at the right";
    EXPECT_EQ(DarkPixels(image, QRect(71, 60, 20, 40)), 0) << "clipped again at the right";
}

// Gathered text paints what text painted at once paints, in the same order against shapes
// that overlap it: a fill over text hides it, a line through text crosses it, text over a
// fill shows, colour and clip changes hold.
TEST_F(QtCanvasTest, BatchedTextPaintsAsTextPaintedAtOnce) {
    // what is still gathered when the canvas goes is painted by its destructor
    const auto paintOn = [](QPainter& painter, bool batched, bool flushInside) {
        QtCanvas canvas(painter);
        if (batched) canvas.BatchText();
        canvas.SetFont(CanvasFont{"Arial", 16, 0, 0, false});
        canvas.DrawText(TextOutput{5, 5, "Adh\xE9rent 1", IntRect{0, 0, 240, 120}, 0});
        canvas.DrawText(TextOutput{5, 25, "Ville \x80 2", IntRect{0, 0, 240, 120}, 0});
        canvas.SetPen(Pen{0x00FF00, 1, PenStyle::Solid});
        canvas.DrawLine(0, 2, 240, 2);                 // apart from the text
        canvas.DrawRectangle(IntRect{2, 3, 230, 48});  // round it
        canvas.DrawLine(0, 33, 240, 33);               // through the second line
        canvas.SetBrush(Brush{0xFFFFFF, BrushStyle::Solid});
        canvas.FillRect(IntRect{5, 25, 40, 45});       // hides the start of the second line
        canvas.SetBrush(Brush{0, BrushStyle::Clear});  // text without a ground of its own
        canvas.SetFont(CanvasFont{"Arial", 16, 0, 0x0000FF, false});
        canvas.DrawText(TextOutput{120, 5, "rouge", IntRect{0, 0, 240, 120}, 0});
        canvas.SetFont(CanvasFont{"Arial", 16, 1, 0, false});
        canvas.DrawText(TextOutput{120, 25, "gras", IntRect{0, 0, 240, 120}, 0});
        canvas.DrawText(TextOutput{5, 50, "MMMMMMMMMM", IntRect{5, 50, 60, 80}, 0});
        canvas.SetFont(CanvasFont{"Arial", 16, 0, 0, false});
        canvas.DrawText(TextOutput{5, 80, "apr\xE8s la coupe", IntRect{0, 0, 240, 120}, 0});
        if (flushInside) {
            canvas.Flush();
            painter.fillRect(QRect(0, 100, 240, 20), Qt::green);
        }
        canvas.SetPen(Pen{0x000000, 1, PenStyle::Solid});
        canvas.DrawLine(5, 98, 200, 98);
        canvas.SetPen(Pen{0x0000FF, 2, PenStyle::Dash});
        canvas.DrawLine(5, 110, 200, 110);
        canvas.SetPen(Pen{0xFF0000, 3, PenStyle::Solid});  // blue
        canvas.DrawLine(100, 0, 100, 120);  // over the gathered lines and text, under the next
        canvas.SetFont(CanvasFont{"Arial", 16, 0, 0x008000, false});
        canvas.DrawText(TextOutput{70, 62, "WWWWWWWW", IntRect{0, 0, 240, 120}, 0});
    };
    const auto paint = [&paintOn](bool batched, bool flushInside) {
        QImage image = Blank(240, 120);
        QPainter painter(&image);
        paintOn(painter, batched, flushInside);
        painter.end();
        return image;
    };
    for (bool flushInside : {false, true}) {
        SCOPED_TRACE(flushInside ? "flushed before the painter's own drawing" : "shapes only");
        const QImage once = paint(false, flushInside);
        const QImage gathered = paint(true, flushInside);
        EXPECT_GT(DarkPixels(once, QRect(0, 0, 240, 120)), 200);
        EXPECT_TRUE(once == gathered);
    }
}

// The sample bitmap saved in another format.
std::string SampleIn(const char* format) {
    QImage image;
    const std::string bmp = SampleBitmap();
    image.loadFromData(reinterpret_cast<const uchar*>(bmp.data()), static_cast<int>(bmp.size()));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, 100);
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

TEST_F(QtCanvasTest, DecodesBitmapsIconsAndJpegAndRejectsGarbage) {
    QtImageDecoder decoder;
    struct Case {
        const char* name;
        Picture picture;
    } cases[] = {
        {"bitmap", Picture{GraphicKind::Bitmap, SampleBitmap()}},
        {"icon", Picture{GraphicKind::Icon, SampleIn("ICO")}},
        {"JPEG kept as a bitmap picture", Picture{GraphicKind::Bitmap, SampleIn("JPG")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const DecodedImage image = decoder.Decode(c.picture);
        ASSERT_EQ(image.width, 32);
        ASSERT_EQ(image.height, 16);
        // the middle of the red square, within JPEG's error
        const uint32_t red = image.pixels[4 * 32 + 4];
        EXPECT_GT((red >> 16) & 0xFF, 0xE0u);
        EXPECT_LT((red >> 8) & 0xFF, 0x20u);
    }
    EXPECT_TRUE(decoder.Decode(Picture{GraphicKind::Bitmap, "BM garbage"}).IsEmpty());
    EXPECT_TRUE(decoder.Decode(Picture{GraphicKind::Icon, std::string(3, '\0')}).IsEmpty());
}

TEST_F(QtCanvasTest, AbsurdFontSizesDoNotBreakPainting) {
    for (int32_t size : {0, -12, 20000}) {
        SCOPED_TRACE(size);
        std::vector<std::unique_ptr<View>> page;
        MemoView& memo = AddMemo(page, 10, 10, 180, 80, {"Tombage Tombage Tombage"});
        memo.font.size = size;
        QImage image = Blank(200, 100);
        QPainter painter(&image);
        QtCanvas canvas(painter);
        PaintPage(page, canvas, 1.0, 1.0, 0, 0);
        EXPECT_FALSE(memo.expandedMemo.empty());
    }
}

TEST_F(QtCanvasTest, PaintsASamplePageIntoAnImage) {
    QtImageDecoder decoder;
    auto page = SamplePage();
    QImage image = Blank(kSamplePageWidth, kSamplePageHeight);
    {
        QPainter painter(&image);
        QtCanvas canvas(painter);
        PagePaintOptions options;
        options.images = &decoder;
        PaintPage(page, canvas, 1.0, 1.0, 0, 0, options);
    }
    ASSERT_TRUE(image.save(OutputPath("render_sample.png")));
    // the title's fill, its frame, the line, the picture (red, top-left of a 200 x 100 area
    // centred in 200 x 200: starting at y = 300 + 50)
    EXPECT_EQ(image.pixel(60, 50), qRgb(0xFF, 0xF0, 0xE0));
    EXPECT_EQ(qGray(image.pixel(40, 60)), 0);
    EXPECT_EQ(qGray(image.pixel(400, 280)), 0);
    EXPECT_EQ(image.pixel(60, 370), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(60, 440), qRgb(0, 0, 0));
    EXPECT_GT(DarkPixels(image, QRect(45, 105, 330, 100)), 500) << "the body text";
}

TEST_F(QtCanvasTest, PaintsASamplePageIntoAPdf) {
    const QString path = OutputPath("render_sample.pdf");
    QtImageDecoder decoder;
    auto page = SamplePage();
    {
        QPdfWriter writer(path);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setResolution(300);
        QPainter painter(&writer);
        QtCanvas canvas(painter);
        PagePaintOptions options;
        options.images = &decoder;
        const double scale = 300.0 / 96.0;
        PaintPage(page, canvas, scale, scale, 0, 0, options);
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(4) == "%PDF");
    file.close();
    QProcess pdftotext;
    pdftotext.start("pdftotext", {path, "-"});
    if (!pdftotext.waitForFinished(20000) || pdftotext.exitCode() != 0)
        GTEST_SKIP() << "pdftotext is not available";
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
    EXPECT_TRUE(text.contains("Tombage : tirage au sort des rencontres")) << text.toStdString();
    EXPECT_TRUE(text.contains(QString::fromUtf8("équipes"))) << text.toStdString();
}

TEST_F(QtCanvasTest, PaintsThroughAPrinterAlike) {
    const QString path = OutputPath("render_sample_printer.pdf");
    auto page = SamplePage();
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setFullPage(true);
        QPainter painter(&printer);
        ASSERT_TRUE(painter.isActive());
        QtCanvas canvas(painter);
        const double scale = printer.resolution() / 96.0;
        PaintPage(page, canvas, scale, scale, 0, 0);
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(4) == "%PDF");
}

}  // namespace
}  // namespace report::testing
