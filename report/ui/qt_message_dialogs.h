// The engine's message boxes and input dialogs as Qt dialogs, for the engine's own programs.
#pragma once

#include "report/core/base/dialogs.h"

namespace report {

class QtMessageDialogs final : public DialogService {
  public:
    int ShowMessage(const std::string& text, const std::string& caption, int flags) override;
    bool AskText(const std::string& caption, const std::string& prompt,
                 std::string& value) override;
};

}  // namespace report
