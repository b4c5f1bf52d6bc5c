#include "report/ui/designer_report_options.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>

#include "report/core/designer/design_document.h"
#include "report/core/designer/report_options.h"
#include "report/core/model/model_state.h"
#include "report/qt/qt_text.h"
#include "report/ui/designer_dialog_frame.h"

namespace report {

DesignerReportOptions::DesignerReportOptions(DesignDocument& document, QWidget* parent)
    : QDialog(parent), document_(document) {
    const Report& report = document.GetReport();
    const ReportOptions options = ReadReportOptions(report);
    setWindowTitle(QStringLiteral("Options de l'état"));
    auto* body = new QWidget(this);
    auto* form = new QFormLayout(body);
    twoPass_ = new QCheckBox(QStringLiteral("&Deux passes"), body);
    twoPass_->setToolTip(
        QStringLiteral("Une première passe compte les pages, pour afficher le nombre total"));
    twoPass_->setChecked(options.twoPass);
    form->addRow(twoPass_);
    printer_ = new QComboBox(body);
    printer_->addItem(QStringLiteral("(celle choisie à l'impression)"), QString());
    for (const std::string& name : report.State().printer.PrinterNames())
        printer_->addItem(ToQString(name), ToQString(name));
    // The template's own printer stays on offer even when this machine lacks it.
    int index = printer_->findData(ToQString(options.printerName));
    if (index < 0) {
        printer_->addItem(ToQString(options.printerName), ToQString(options.printerName));
        index = printer_->count() - 1;
    }
    printer_->setCurrentIndex(index);
    form->addRow(QStringLiteral("&Imprimante :"), printer_);
    refusal_ = FrameEditorDialog(*this, body);
}

QString DesignerReportOptions::Refusal() const {
    return RefusalText(*refusal_);
}

void DesignerReportOptions::accept() {
    ReportOptions options;
    options.twoPass = twoPass_->isChecked();
    options.printerName = FromQString(printer_->currentData().toString());
    if (!ApplyOrShowRefusal(*refusal_, [&] { changed_ = ApplyReportOptions(document_, options); }))
        return;
    QDialog::accept();
}

}  // namespace report
