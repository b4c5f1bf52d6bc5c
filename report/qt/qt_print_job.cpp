#include "report/qt/qt_print_job.h"

#include "report/core/base/engine_strings.h"
#include "report/core/base/errors.h"
#include "report/core/base/text.h"
#include "report/qt/qt_text.h"

namespace report {

QtPrintJob::QtPrintJob(QPrinter& printer) : printer_(printer) {
    // Pages are placed from the printable area's corner, as the job computes them.
    printer_.setFullPage(false);
}

QtPrintJob::~QtPrintJob() {
    if (painter_.isActive()) AbortDocument();
}

void QtPrintJob::SetCopyCount(int copies) {
    printer_.setCopyCount(copies);
    // The job repeats collated sets itself; the printer only repeats single pages.
    printer_.setCollateCopies(false);
}

void QtPrintJob::BeginDocument(const std::string& title) {
    printer_.setDocName(ToQString(title));
    if (!painter_.begin(&printer_)) {
        throw EngineError(
            FormatMessage(EngineText("print.cannot_start"), {FromQString(printer_.printerName())}));
    }
}

void QtPrintJob::NewPage() {
    printer_.newPage();
}

void QtPrintJob::EndDocument() {
    if (painter_.isActive()) painter_.end();
}

void QtPrintJob::AbortDocument() {
    printer_.abort();
    if (painter_.isActive()) painter_.end();
}

}  // namespace report
