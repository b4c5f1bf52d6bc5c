#include "report/ui/preview_placement.h"

#include <QSettings>
#include <QWidget>

namespace report {
namespace {

// QSettings keeps an organisation under Software on Windows, in ~/.config elsewhere.
constexpr const char* kSection = "Form/PreviewWindow";

}  // namespace

void RestorePreviewPlacement(QWidget& window) {
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, "Tombage");
    settings.beginGroup(kSection);
    const QRect current = window.geometry();
    const int x = settings.value("XPosition", current.x()).toInt();
    const int y = settings.value("YPosition", current.y()).toInt();
    const int width = settings.value("Width", current.width()).toInt();
    const int height = settings.value("Height", current.height()).toInt();
    const bool maximized = settings.value("Maximized", true).toBool();
    window.setGeometry(x, y, width, height);
    window.setWindowState(maximized ? Qt::WindowMaximized : Qt::WindowNoState);
}

void StorePreviewPlacement(const QWidget& window) {
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, "Tombage");
    settings.beginGroup(kSection);
    const QRect normal =
        window.normalGeometry().isValid() ? window.normalGeometry() : window.geometry();
    settings.setValue("XPosition", normal.x());
    settings.setValue("YPosition", normal.y());
    settings.setValue("Width", normal.width());
    settings.setValue("Height", normal.height());
    settings.setValue("Maximized", window.isMaximized());
}

}  // namespace report
