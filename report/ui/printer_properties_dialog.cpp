#include "report/ui/printer_properties_dialog.h"

#include <QPageSetupDialog>
#include <QPointer>
#include <QWidget>

#include "report/qt/qt_print_service.h"

namespace report {

void InstallPrinterPropertiesDialog(QtPrintService& service, QWidget* parent) {
    QPointer<QWidget> owner(parent);
    service.propertiesDialog = [owner](QPrinter& printer) {
        // Work on a copy of the layout: a cancelled dialog leaves the printer as it was.
        const QPageLayout before = printer.pageLayout();
        QPageSetupDialog dialog(&printer, owner.data());
        if (dialog.exec() == QDialog::Accepted) return true;
        printer.setPageLayout(before);
        return false;
    };
}

}  // namespace report
