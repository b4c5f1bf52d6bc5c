#include "app/windows/shell.h"

#include <QDesktopServices>

namespace app {

bool DesktopShell::OpenUrl(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}

}  // namespace app
