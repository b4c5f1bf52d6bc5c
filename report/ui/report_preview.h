// Showing and printing a report: the build with the fonts the screen and the printer paint
// with, the modal preview on its pages, and the print that the preview's print button starts
// (print dialog, change of printer with its rebuild, the print job with its progress window).
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

#include "report/qt/qt_drawing_kit.h"

namespace report {

class EngineCore;
class PreparedPages;
class PreviewWindow;
class Report;
struct PrintOptions;

class ReportPreview {
  public:
    // Neither is owned; both must outlive this object. Windows open over `parent`.
    ReportPreview(Report& report, EngineCore& core, QWidget* parent = nullptr);
    ~ReportPreview();
    ReportPreview(const ReportPreview&) = delete;
    ReportPreview& operator=(const ReportPreview&) = delete;

    // The build into a new store, in the progress window when the report's ShowProgress is
    // set. Null when it was cancelled or failed (the builder has shown its error).
    std::unique_ptr<PreparedPages> BuildReport();
    // The build, then the preview on its pages: modal (returning once closed) when the
    // report's ModalPreview is set. False when there was nothing to show.
    bool PreviewReport();

    // The preview's print button: the print dialog, on OK a change of printer (rebuilding a
    // report built here), then PrintPrepared of the chosen pages. Errors show in the error box.
    void Print(PreviewWindow& window);
    // Prints the pages on the printer layer's current printer, in the progress window unless
    // the report has OnProgress or ShowProgress is off. False when cancelled. Errors propagate
    // (the page list, the printer refusing the document).
    bool PrintPrepared(PreparedPages& pages, const PrintOptions& options);

    // Whether the platform lists a printer (the virtual one does not count).
    bool PrinterAvailable() const;

    // Called once the preview window is on screen (tests look at it and close it here).
    std::function<void(PreviewWindow& window)> onShown;

  private:
    Report& report_;
    EngineCore& core_;
    QPointer<QWidget> parent_;
    QtDrawingKit kit_;  // the layout of the build is the layout of the print
};

// The report's show operation: builds and opens the modal preview over `parent`.
bool PreviewReport(Report& report, EngineCore& core, QWidget* parent = nullptr);

}  // namespace report
