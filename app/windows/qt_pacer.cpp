#include "app/windows/qt_pacer.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace app {

void QtPacer::ProcessEvents() {
    QCoreApplication::processEvents();
}

void QtPacer::Pause(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

}  // namespace app
