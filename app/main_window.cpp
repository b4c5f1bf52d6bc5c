#include "app/main_window.h"

namespace app {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QString::fromUtf8("Tombage au sort intégral version 2.22.02"));
    resize(500, 500);
}

}  // namespace app
