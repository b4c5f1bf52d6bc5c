// Prepared pages painted into PNG images or one PDF file, the way the print job draws them;
// shared by etat render and etat build. Only in builds with Qt (TOMBAGE_ETAT_QT).
#pragma once

#if TOMBAGE_ETAT_QT
#include <QGuiApplication>
#include <memory>
#include <string>
#include <vector>

namespace report {
class PreparedPages;
struct QtDrawingKit;
}  // namespace report

namespace etat {

// The application Qt's painting and fonts need; etat shows no window, so without a platform
// chosen it takes the offscreen one and needs no display. Null when one already exists.
std::unique_ptr<QGuiApplication> StartQt();

// `indexes`: 0-based pages, in output order. PNG files are named page-001.png ... by page
// number, at `dpi` dots per inch; the PDF has one page per page at its paper size. Both raise
// FileCreateError when the output cannot be written. Pages are drawn with `kit`'s fonts: the
// ones a build laid them out with.
void RenderPng(report::PreparedPages& store, const std::vector<int>& indexes,
               const std::string& pngFolder, int dpi, report::QtDrawingKit& kit);
void RenderPdf(report::PreparedPages& store, const std::vector<int>& indexes,
               const std::string& pdfPath, report::QtDrawingKit& kit);

// A PDF file written page after page: each page goes to the file when it is added, so that
// nothing but the current page is kept. The file appears only when Finish succeeds; dropped
// before, it leaves any file of that name as it was.
class PdfPageWriter {
  public:
    // Raises FileCreateError when the file cannot be written. `kit` must outlive the writer.
    PdfPageWriter(const std::string& pdfPath, report::QtDrawingKit& kit);
    ~PdfPageWriter();
    PdfPageWriter(const PdfPageWriter&) = delete;
    PdfPageWriter& operator=(const PdfPageWriter&) = delete;

    // Paints page `index` of `store` as the next page, at its paper size.
    void AddPage(report::PreparedPages& store, int index);
    int PagesAdded() const;
    // Completes the file and puts it in place; FileCreateError when that fails.
    void Finish();

  private:
    struct Document;
    std::unique_ptr<Document> document_;
};

}  // namespace etat
#endif
