// Handing a document or a mail link to the desktop ("open"), behind an interface for tests.
#pragma once

#include <QUrl>

namespace app {

class Shell {
  public:
    virtual ~Shell() = default;
    // True when the desktop accepted to open it.
    virtual bool OpenUrl(const QUrl& url) = 0;
};

// QDesktopServices::openUrl.
class DesktopShell final : public Shell {
  public:
    bool OpenUrl(const QUrl& url) override;
};

}  // namespace app
