#include "tools/etat/page_output.h"

#if TOMBAGE_ETAT_QT

#include <malloc.h>
#include <QDir>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <utility>

#include "report/core/base/errors.h"
#include "report/core/base/rounding.h"
#include "report/core/prepared/page_geometry.h"
#include "report/core/prepared/prepared_pages.h"
#include "report/core/printer/printer_layer.h"
#include "report/core/render/page_drawing.h"
#include "report/qt/qt_canvas.h"
#include "report/qt/qt_drawing_kit.h"

namespace etat {

namespace {

constexpr double kTenthsOfMillimetrePerInch = 254.0;

// The paper of a page in tenths of a millimetre, turned the way its metrics are.
QSizeF PaperSize(const report::PreparedPage& page) {
    double width = page.paperWidth;
    double height = page.paperHeight;
    const report::PageMetrics& m = page.metrics;
    if (width <= 0 || height <= 0) {  // a page without paper fields: its design-pixel size
        width = m.pageWidth * kTenthsOfMillimetrePerInch / report::Printer::kDesignPixelsPerInch;
        height = m.pageHeight * kTenthsOfMillimetrePerInch / report::Printer::kDesignPixelsPerInch;
    }
    if ((width > height) != (m.pageWidth > m.pageHeight)) std::swap(width, height);
    return QSizeF(width, height);
}

// The canvas rectangle of the page's drawing when its whole sheet covers `pixels`.
report::IntRect TargetRect(const report::PreparedPage& page, QSize pixels) {
    const report::IntRect sheet = report::SheetRectOf(page);
    const double kx = page.metrics.pageWidth > 0
                          ? static_cast<double>(pixels.width()) / page.metrics.pageWidth
                          : 0.0;
    const double ky = page.metrics.pageHeight > 0
                          ? static_cast<double>(pixels.height()) / page.metrics.pageHeight
                          : 0.0;
    return report::IntRect{report::RoundToInt(sheet.left * kx), report::RoundToInt(sheet.top * ky),
                           report::RoundToInt(sheet.right * kx),
                           report::RoundToInt(sheet.bottom * ky)};
}

// Draws pages on the painter's device as the print job does: visible while drawn, released
// right after.
class PagePainter {
  public:
    PagePainter(report::PreparedPages& store, report::QtDrawingKit& kit)
        : store_(store), options_(kit.Options(false)) {
        store_.SetTextWidthMeasure(&kit.widthMeasure);
    }
    ~PagePainter() { store_.SetTextWidthMeasure(nullptr); }
    PagePainter(const PagePainter&) = delete;
    PagePainter& operator=(const PagePainter&) = delete;

    // `canvas` may serve many pages of one painter: its fonts are then looked up once.
    void Paint(int index, report::Canvas& canvas, QSize pixels) {
        report::PreparedPage& page = store_.PageAt(index);
        page.visible = true;
        report::DrawPage(store_, index, canvas, TargetRect(page, pixels), options_);
        page.visible = false;
        report::DrawPage(store_, index, canvas, report::IntRect{}, options_);
    }

  private:
    report::PreparedPages& store_;
    report::PageDrawOptions options_;
};

std::string PngName(int index) {
    char name[32];
    std::snprintf(name, sizeof name, "page-%03d.png", index + 1);
    return name;
}

QPageLayout LayoutOf(const report::PreparedPage& page) {
    const QSizeF paper = PaperSize(page);
    const bool landscape = paper.width() > paper.height();
    const QSizeF portrait = landscape ? paper.transposed() : paper;
    const QPageSize size(portrait / 10.0, QPageSize::Millimeter);
    return QPageLayout(size, landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0));
}

}  // namespace

std::unique_ptr<QGuiApplication> StartQt() {
    if (QGuiApplication::instance() != nullptr) return nullptr;
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "etat";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

void RenderPng(report::PreparedPages& store, const std::vector<int>& indexes,
               const std::string& pngFolder, int dpi, report::QtDrawingKit& kit) {
    const QString folder = QString::fromStdString(pngFolder);
    if (!QDir().mkpath(folder)) throw report::FileCreateError(pngFolder);
    PagePainter painter(store, kit);
    for (int index : indexes) {
        const QSizeF paper = PaperSize(store.PageAt(index));
        const QSize pixels(report::RoundToInt(paper.width() * dpi / kTenthsOfMillimetrePerInch),
                           report::RoundToInt(paper.height() * dpi / kTenthsOfMillimetrePerInch));
        QImage image(pixels, QImage::Format_RGB32);
        if (image.isNull()) throw report::FileCreateError(PngName(index));
        image.fill(Qt::white);
        const int dotsPerMetre = static_cast<int>(std::lround(dpi / 0.0254));
        image.setDotsPerMeterX(dotsPerMetre);
        image.setDotsPerMeterY(dotsPerMetre);
        {
            QPainter qp(&image);
            report::QtCanvas canvas(qp);
            painter.Paint(index, canvas, pixels);
        }
        const QString path = QDir(folder).filePath(QString::fromStdString(PngName(index)));
        if (!image.save(path, "PNG")) throw report::FileCreateError(path.toStdString());
    }
}

void RenderPdf(report::PreparedPages& store, const std::vector<int>& indexes,
               const std::string& pdfPath, report::QtDrawingKit& kit) {
    PdfPageWriter pdf(pdfPath, kit);
    for (int index : indexes)
        pdf.AddPage(store, index);
    pdf.Finish();
}

struct PdfPageWriter::Document {
    Document(const std::string& path, report::QtDrawingKit& drawingKit)
        : pdfPath(path), file(QString::fromStdString(path)), writer(&file), kit(drawingKit) {}

    std::string pdfPath;
    QSaveFile file;
    QPdfWriter writer;
    QPainter painter;
    // one canvas for the document: a canvas per page would look every font up again
    std::optional<report::QtCanvas> canvas;
    report::QtDrawingKit& kit;
    int pages = 0;
};

PdfPageWriter::PdfPageWriter(const std::string& pdfPath, report::QtDrawingKit& kit)
    : document_(std::make_unique<Document>(pdfPath, kit)) {
    // Qt's PDF writer reads every page back through a 16 MiB buffer: allocated from the heap,
    // it is not mapped, faulted in and unmapped (or trimmed) again for each page.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 64 << 20);
    if (!document_->file.open(QIODevice::WriteOnly)) throw report::FileCreateError(pdfPath);
    document_->writer.setCreator("Tombage etat");
}

PdfPageWriter::~PdfPageWriter() {
    document_->canvas.reset();
    if (document_->painter.isActive()) document_->painter.end();
    // an unfinished file never replaces the one there was
    document_->file.cancelWriting();
}

void PdfPageWriter::AddPage(report::PreparedPages& store, int index) {
    Document& d = *document_;
    d.writer.setPageLayout(LayoutOf(store.PageAt(index)));
    if (d.pages == 0) {
        if (!d.painter.begin(&d.writer)) throw report::FileCreateError(d.pdfPath);
        d.canvas.emplace(d.painter);
        d.canvas->BatchText();
    } else {
        d.writer.newPage();
    }
    PagePainter painter(store, d.kit);
    painter.Paint(index, *d.canvas, QSize(d.writer.width(), d.writer.height()));
    d.canvas->Flush();  // the page's text on the page
    ++d.pages;
}

int PdfPageWriter::PagesAdded() const {
    return document_->pages;
}

void PdfPageWriter::Finish() {
    Document& d = *document_;
    d.canvas.reset();
    if (d.painter.isActive() && !d.painter.end()) throw report::FileCreateError(d.pdfPath);
    if (!d.file.commit()) throw report::FileCreateError(d.pdfPath);
}

}  // namespace etat
#endif
