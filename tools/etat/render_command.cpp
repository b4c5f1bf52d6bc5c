// etat render: paints the pages of a prepared-report file through the page drawing that the
// preview and the printer use, into PNG images or one PDF file.
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "tools/etat/command.h"

#if TOMBAGE_ETAT_QT
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <utility>

#include "report/core/base/errors.h"
#include "report/core/base/rounding.h"
#include "report/core/engine/engine.h"
#include "report/core/model/report.h"
#include "report/core/output/page_list.h"
#include "report/core/prepared/page_geometry.h"
#include "report/core/prepared/prepared_file.h"
#include "report/core/prepared/prepared_pages.h"
#include "report/core/printer/printer_layer.h"
#include "report/core/render/measuring_canvas.h"
#include "report/core/render/page_drawing.h"
#include "report/qt/qt_canvas.h"
#include "report/qt/qt_font_metrics.h"
#include "report/qt/qt_image_decoder.h"
#endif

namespace {

constexpr const char* kUsage =
    "render FICHIER.etp (--png DOSSIER [--dpi N] | --pdf SORTIE.pdf) [--pages LISTE]";

void PrintError(const std::string& message) {
    std::fprintf(stderr, "etat : %s\n", message.c_str());
}

struct RenderRequest {
    std::string preparedPath;
    std::string pngFolder;
    std::string pdfPath;
    int dpi = 96;
    std::string pages;  // empty: every page
};

// A whole decimal number from 1 to 4800 dpi: beyond that an A4 page no longer fits in memory.
bool ParseDpi(const std::string& text, int& dpi) {
    if (text.empty() || text.size() > 4) return false;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    if (value < 1 || value > 4800) return false;
    dpi = value;
    return true;
}

// False after printing the error.
bool ParseRequest(const std::vector<std::string>& args, RenderRequest& request) {
    bool dpiGiven = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--png" && hasValue) {
            request.pngFolder = args[++i];
        } else if (arg == "--pdf" && hasValue) {
            request.pdfPath = args[++i];
        } else if (arg == "--dpi" && hasValue) {
            if (!ParseDpi(args[++i], request.dpi)) {
                PrintError("résolution incorrecte : " + args[i] + " (de 1 à 4800 ppp)");
                return false;
            }
            dpiGiven = true;
        } else if (arg == "--pages" && hasValue) {
            request.pages = args[++i];
        } else if (request.preparedPath.empty() && !arg.empty() && arg[0] != '-') {
            request.preparedPath = arg;
        } else {
            PrintError(std::string("usage : etat ") + kUsage);
            return false;
        }
    }
    if (request.preparedPath.empty() || request.pngFolder.empty() == request.pdfPath.empty() ||
        (dpiGiven && request.pngFolder.empty())) {
        PrintError(std::string("usage : etat ") + kUsage);
        return false;
    }
    return true;
}

#if TOMBAGE_ETAT_QT

constexpr double kTenthsOfMillimetrePerInch = 254.0;

// The application Qt's painting needs; etat shows no window, so without a platform chosen it
// takes the offscreen one and needs no display.
std::unique_ptr<QGuiApplication> StartQt() {
    if (QGuiApplication::instance() != nullptr) return nullptr;
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "etat";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

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

// Draws every page of `pages` on the painter's device as the print job does: visible while it
// is drawn, released right after.
class PagePainter {
  public:
    explicit PagePainter(report::PreparedPages& store) : store_(store), measure_(measuring_) {
        store_.SetTextWidthMeasure(&measure_);
        options_.measuringCanvas = &measuring_;
        options_.images = &images_;
    }
    ~PagePainter() { store_.SetTextWidthMeasure(nullptr); }
    PagePainter(const PagePainter&) = delete;
    PagePainter& operator=(const PagePainter&) = delete;

    void Paint(int index, QPainter& painter, QSize pixels) {
        report::QtCanvas canvas(painter);
        report::PreparedPage& page = store_.PageAt(index);
        page.visible = true;
        report::DrawPage(store_, index, canvas, TargetRect(page, pixels), options_);
        page.visible = false;
        report::DrawPage(store_, index, canvas, report::IntRect{}, options_);
    }

  private:
    report::PreparedPages& store_;
    report::QtFontMetrics metrics_;
    report::MeasuringCanvas measuring_{metrics_};
    report::CanvasTextWidthMeasure measure_;
    report::QtImageDecoder images_;
    report::PageDrawOptions options_;
};

// The 0-based indexes of the pages asked for.
std::vector<int> SelectedPages(const std::string& list, int pageCount) {
    std::vector<int> indexes;
    const std::set<int> numbers = report::ParsePageList(list, pageCount);
    if (numbers.empty()) {
        for (int i = 0; i < pageCount; ++i)
            indexes.push_back(i);
    } else {
        for (int number : numbers)
            indexes.push_back(number - 1);
    }
    return indexes;
}

std::string PngName(int index) {
    char name[32];
    std::snprintf(name, sizeof name, "page-%03d.png", index + 1);
    return name;
}

void RenderPng(report::PreparedPages& store, const std::vector<int>& indexes,
               const RenderRequest& request) {
    const QString folder = QString::fromStdString(request.pngFolder);
    if (!QDir().mkpath(folder)) throw report::FileCreateError(request.pngFolder);
    PagePainter painter(store);
    for (int index : indexes) {
        const QSizeF paper = PaperSize(store.PageAt(index));
        const QSize pixels(
            report::RoundToInt(paper.width() * request.dpi / kTenthsOfMillimetrePerInch),
            report::RoundToInt(paper.height() * request.dpi / kTenthsOfMillimetrePerInch));
        QImage image(pixels, QImage::Format_RGB32);
        if (image.isNull()) throw report::FileCreateError(PngName(index));
        image.fill(Qt::white);
        const int dotsPerMetre = static_cast<int>(std::lround(request.dpi / 0.0254));
        image.setDotsPerMeterX(dotsPerMetre);
        image.setDotsPerMeterY(dotsPerMetre);
        {
            QPainter qp(&image);
            painter.Paint(index, qp, pixels);
        }
        const QString path = QDir(folder).filePath(QString::fromStdString(PngName(index)));
        if (!image.save(path, "PNG")) throw report::FileCreateError(path.toStdString());
    }
}

QPageLayout LayoutOf(const report::PreparedPage& page) {
    const QSizeF paper = PaperSize(page);
    const bool landscape = paper.width() > paper.height();
    const QSizeF portrait = landscape ? paper.transposed() : paper;
    const QPageSize size(portrait / 10.0, QPageSize::Millimeter);
    return QPageLayout(size, landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0));
}

void RenderPdf(report::PreparedPages& store, const std::vector<int>& indexes,
               const RenderRequest& request) {
    const QString path = QString::fromStdString(request.pdfPath);
    QPdfWriter writer(path);
    writer.setCreator("Tombage etat");
    writer.setPageLayout(LayoutOf(store.PageAt(indexes.front())));
    QPainter qp;
    if (!qp.begin(&writer)) throw report::FileCreateError(request.pdfPath);
    PagePainter painter(store);
    for (size_t i = 0; i < indexes.size(); ++i) {
        if (i > 0) {
            writer.setPageLayout(LayoutOf(store.PageAt(indexes[i])));
            writer.newPage();
        }
        painter.Paint(indexes[i], qp, QSize(writer.width(), writer.height()));
    }
    if (!qp.end()) throw report::FileCreateError(request.pdfPath);
}

int Render(const std::vector<std::string>& args) {
    RenderRequest request;
    if (!ParseRequest(args, request)) return 1;
    const std::unique_ptr<QGuiApplication> application = StartQt();
    report::Engine engine(nullptr);  // the virtual printer
    report::Report report(engine.Model());
    report::PreparedPages store(report);
    report::OpenPreparedFile(store, request.preparedPath);
    if (store.PageCount() == 0) {
        PrintError("le fichier ne contient aucune page : " + request.preparedPath);
        return 1;
    }
    const std::vector<int> indexes = SelectedPages(request.pages, store.PageCount());
    if (request.pngFolder.empty()) {
        RenderPdf(store, indexes, request);
    } else {
        RenderPng(store, indexes, request);
    }
    return 0;
}

#else

int Render(const std::vector<std::string>& args) {
    RenderRequest request;
    if (!ParseRequest(args, request)) return 1;
    PrintError("render : non disponible dans cette version (construite sans Qt)");
    return 1;
}

#endif

const etat::EtatCommand renderCommand("render", kUsage, Render);

}  // namespace
