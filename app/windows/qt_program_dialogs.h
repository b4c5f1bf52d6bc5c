// The program's boxes and dialogs as real Qt windows (QMessageBox, QInputDialog, QFileDialog).
#pragma once

#include <QPointer>
#include <QWidget>

#include "app/logic/program_dialogs.h"

namespace app {

class QtProgramDialogs final : public ProgramDialogs {
  public:
    // Boxes are centred on `owner` when it is given and still exists, else on the active window.
    void SetOwner(QWidget* owner) { owner_ = owner; }

    int ShowMessage(const std::string& text, const std::string& caption, int flags) override;
    bool AskText(const std::string& caption, const std::string& prompt,
                 std::string& value) override;
    void ShowYesWarning(const std::string& text, const std::string& caption) override;
    std::optional<std::string> ChooseTeamFile(const std::string& folder) override;

  private:
    QWidget* Owner() const;

    QPointer<QWidget> owner_;
};

}  // namespace app
