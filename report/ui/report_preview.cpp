#include "report/ui/report_preview.h"

#include <QCoreApplication>
#include <QTimer>
#include <exception>
#include <string>
#include <utility>

#include "report/core/base/dialogs.h"
#include "report/core/base/engine_strings.h"
#include "report/core/building/prepared_pages_sink.h"
#include "report/core/building/report_builder.h"
#include "report/core/building/text_layout_measurer.h"
#include "report/core/model/model_state.h"
#include "report/core/model/report.h"
#include "report/core/output/print_job.h"
#include "report/core/output/print_options.h"
#include "report/core/output/print_printer_switch.h"
#include "report/core/prepared/prepared_pages.h"
#include "report/core/printer/printer_layer.h"
#include "report/qt/qt_canvas.h"
#include "report/qt/qt_print_job.h"
#include "report/qt/qt_print_service.h"
#include "report/ui/preview_window.h"
#include "report/ui/print_dialog.h"
#include "report/ui/qt_progress_window.h"

namespace report {
namespace {

void ShowError(const std::exception& error) {
    Dialogs().ShowMessage(error.what(), EngineText(text_id::kErrorCaption),
                          mb::kOk | mb::kIconError);
}

}  // namespace

ReportPreview::ReportPreview(Report& report, EngineCore& core, QWidget* parent)
    : report_(report), core_(core), parent_(parent) {}

ReportPreview::~ReportPreview() = default;

bool ReportPreview::PrinterAvailable() const {
    const Printer& printer = report_.State().printer;
    return printer.Service() != nullptr && printer.PrinterNames().size() > 1;
}

std::unique_ptr<PreparedPages> ReportPreview::BuildReport() {
    auto pages = std::make_unique<PreparedPages>(report_);
    // Auto-width texts settle on the layout of the build, whatever canvas draws them later.
    pages->SetTextWidthMeasure(&kit_.widthMeasure);
    PreparedPagesSink sink(*pages);
    TextLayoutMeasurer measurer(kit_.measuring);
    QtProgressWindow progress(parent_);
    ReportBuilder builder(report_, core_, sink, measurer,
                          report_.showProgress ? &progress : nullptr);
    const bool built = builder.BuildReport();
    if (!built || builder.ErrorOccurred()) return nullptr;
    pages->SetCanRebuild(true);
    return pages;
}

bool ReportPreview::PreviewReport() {
    std::unique_ptr<PreparedPages> pages = BuildReport();
    if (pages == nullptr || pages->PageCount() == 0) return false;
    PreviewWindow window(parent_);
    window.onPrint = [this, &window](PreparedPages&) { Print(window); };
    if (onShown) QTimer::singleShot(0, &window, [this, &window] { onShown(window); });
    window.ShowPages(report_, std::move(pages), PrinterAvailable());
    return true;
}

void ReportPreview::Print(PreviewWindow& window) {
    if (!window.Controller().HasPages() || !PrinterAvailable()) return;
    Printer& printer = report_.State().printer;
    PrintDialog dialog(printer, report_.defaultCopies, report_.defaultCollate, &window);
    const int opening = dialog.State().OpeningIndex();
    if (dialog.exec() != QDialog::Accepted) return;
    try {
        // Read before anything lays the pages out again: "the current page" is the one the
        // user looked at, and a bad copies text keeps the pages on screen unchanged.
        const PrintOptions options = dialog.Options(window.Controller().CurrentPage());
        const int chosen = printer.SelectedIndex();
        if (opening >= 0 && chosen != opening && window.Controller().Pages()->CanRebuild()) {
            if (!SwitchPrinter(report_, Dialogs(), opening, chosen)) return;
            // The pages follow the new printer's paper.
            std::unique_ptr<PreparedPages> rebuilt = BuildReport();
            window.AttachPages(
                report_, rebuilt ? std::move(rebuilt) : std::make_unique<PreparedPages>(report_),
                PrinterAvailable(), false);
            if (!window.Controller().HasPages()) return;
        }
        std::unique_ptr<PreparedPages> pages = window.ReturnPages();
        try {
            PrintPrepared(*pages, options);
        } catch (const std::exception& error) {
            ShowError(error);
        }
        window.AttachPages(report_, std::move(pages), PrinterAvailable(), false);
    } catch (const std::exception& error) {
        ShowError(error);
    }
}

bool ReportPreview::PrintPrepared(PreparedPages& pages, const PrintOptions& options) {
    Printer& printer = report_.State().printer;
    auto* service = dynamic_cast<QtPrintService*>(printer.Service());
    if (service == nullptr) return false;
    QtPrintJob device(service->CurrentPrinter());
    const PageDrawOptions drawing = kit_.Options(true);
    pages.SetTextWidthMeasure(&kit_.widthMeasure);
    PrintJob job(pages, printer, device, [&](int index, const IntRect& destination) {
        QtCanvas canvas(device.Painter());
        DrawPage(pages, index, canvas, destination, drawing);
    });
    job.title = report_.title;
    job.onPrintReport = report_.onPrintReport;

    if (report_.onProgress || !report_.showProgress) {
        // Moving the mouse over the preview would expand pages of the store being printed.
        auto mouseOver = std::exchange(report_.onMouseOverObject, nullptr);
        job.onProgress = report_.onProgress;
        job.processEvents = [] { QCoreApplication::processEvents(); };
        bool printed = false;
        try {
            printed = job.PrintPages(options);
        } catch (...) {
            report_.onMouseOverObject = std::move(mouseOver);
            throw;
        }
        report_.onMouseOverObject = std::move(mouseOver);
        return printed;
    }

    std::string caption = EngineText("progress.caption");
    if (!report_.title.empty()) caption += " - " + report_.title;
    const std::string prefix = EngineText("print.progress");
    QtProgressWindow progress(parent_);
    job.onProgress = [&](int page) { progress.SetLabel(prefix + "  " + std::to_string(page)); };
    bool printed = false;
    std::exception_ptr failure;
    progress.RunModal(
        caption, prefix,
        [&] {
            // Nothing may leave through the modal loop: the error is raised once it has ended.
            try {
                printed = job.PrintPages(options);
            } catch (...) {
                failure = std::current_exception();
            }
            progress.Close(printed ? ProgressWindow::Result::Ok : ProgressWindow::Result::Cancel);
        },
        [&] { job.Cancel(); });
    if (failure) std::rethrow_exception(failure);
    return printed;
}

bool PreviewReport(Report& report, EngineCore& core, QWidget* parent) {
    ReportPreview preview(report, core, parent);
    return preview.PreviewReport();
}

}  // namespace report
