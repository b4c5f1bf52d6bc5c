#include "report/ui/preview_pdf_export.h"

#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "report/core/base/errors.h"
#include "report/core/output/page_draw_rect.h"
#include "report/core/prepared/prepared_pages.h"
#include "report/qt/qt_canvas.h"
#include "report/qt/qt_text.h"

namespace report {
namespace {

constexpr int kPdfResolution = 300;  // dots per inch of the PDF's drawing

QPageLayout LayoutOf(const PreparedPage& page) {
    // Paper sizes are tenths of a millimetre; the width and height stored are as printed.
    const double w = page.paperWidth / 10.0;
    const double h = page.paperHeight / 10.0;
    const bool landscape = w > h;
    const QPageSize size(QSizeF(landscape ? h : w, landscape ? w : h), QPageSize::Millimeter);
    return QPageLayout(size, landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF());
}

// Draws the sheet onto `sheetRect` of the painter, the page's own visibility kept.
void DrawSheet(PreparedPages& pages, int index, QPainter& painter, const IntRect& sheetRect,
               const PageDrawOptions& options) {
    PreparedPage& page = pages.PageAt(index);
    const bool wasLive = page.livePage != nullptr;
    const bool wasVisible = page.visible;
    const double zoom =
        page.metrics.pageWidth > 0
            ? static_cast<double>(sheetRect.right - sheetRect.left) / page.metrics.pageWidth
            : 1.0;
    QtCanvas canvas(painter);
    page.visible = true;
    DrawPage(pages, index, canvas, DrawRectOnSheet(page, sheetRect, zoom), options);
    page.visible = wasVisible;
    if (!wasLive) pages.ReleasePage(index);
}

}  // namespace

void ExportPagesToPdf(PreparedPages& pages, const QString& path, const PageDrawOptions& options) {
    if (pages.PageCount() == 0) return;
    QPdfWriter writer(path);
    writer.setResolution(kPdfResolution);
    writer.setCreator("Tombage");
    writer.setPageLayout(LayoutOf(pages.PageAt(0)));
    QPainter painter;
    if (!painter.begin(&writer)) throw FileCreateError(FromQString(path));
    for (int i = 0; i < pages.PageCount(); ++i) {
        if (i > 0) {
            writer.setPageLayout(LayoutOf(pages.PageAt(i)));
            writer.newPage();
        }
        const QRect full = writer.pageLayout().fullRectPixels(kPdfResolution);
        DrawSheet(pages, i, painter, IntRect{0, 0, full.width(), full.height()}, options);
    }
    if (!painter.end()) throw FileCreateError(FromQString(path));
}

QImage RenderPageImage(PreparedPages& pages, int index, int width, const PageDrawOptions& options) {
    const PageMetrics& m = pages.PageAt(index).metrics;
    const int height = m.pageWidth > 0 ? width * m.pageHeight / m.pageWidth : width;
    QImage image(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    DrawSheet(pages, index, painter, IntRect{0, 0, image.width(), image.height()}, options);
    return image;
}

}  // namespace report
