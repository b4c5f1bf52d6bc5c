// The printer properties dialog of the printer layer: Qt's page set-up dialog on the current
// printer, with the chosen settings kept when the user accepts.
#pragma once

class QWidget;

namespace report {

class QtPrintService;

// Makes the service's ShowProperties open the page set-up dialog over `parent`.
void InstallPrinterPropertiesDialog(QtPrintService& service, QWidget* parent);

}  // namespace report
