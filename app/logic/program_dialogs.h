// The boxes and dialogs of the program, reached through an interface so that tests answer them.
// The message boxes are the engine's (report::DialogService); the program adds the warning with a
// single "&Oui" button and its file-open dialog.
#pragma once

#include <exception>
#include <optional>
#include <string>

#include "report/core/base/dialogs.h"

namespace app {

class ProgramDialogs : public report::DialogService {
  public:
    // A warning box with the single button "&Oui". Texts are Windows-1252.
    virtual void ShowYesWarning(const std::string& text, const std::string& caption) = 0;

    // The team-list open dialog OD_Charge, opened on `folder` (native path), filter
    // " Fichiers Charges " (*.CSV, *.HTM in any case). The chosen file's native path, or nothing
    // when the user cancels.
    virtual std::optional<std::string> ChooseTeamFile(const std::string& folder) = 0;
};

// The application's standard error box: the error's message, captioned "Tombage", one OK button.
void ShowErrorBox(report::DialogService& dialogs, const std::exception& error);

}  // namespace app
