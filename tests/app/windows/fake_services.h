// The program's dialogs and shell for the windows' tests: every message and chosen file is
// recorded, the file dialog answers from a queue, nothing opens.
#pragma once

#include <QUrl>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "app/logic/program_dialogs.h"
#include "app/windows/shell.h"
#include "report/core/base/dialogs.h"

namespace app_test {

struct Message {
    std::string text, caption;
    int flags;
};

class FakeDialogs final : public app::ProgramDialogs {
  public:
    int ShowMessage(const std::string& text, const std::string& caption, int flags) override {
        messages.push_back({text, caption, flags});
        return report::mr::kCancel;  // the answer makes no difference to the program
    }
    bool AskText(const std::string&, const std::string&, std::string&) override { return false; }
    void ShowYesWarning(const std::string& text, const std::string& caption) override {
        warnings.push_back({text, caption, 0});
    }
    std::optional<std::string> ChooseTeamFile(const std::string& folder) override {
        chooserFolders.push_back(folder);
        if (choices.empty()) return std::nullopt;
        auto choice = choices.front();
        choices.pop_front();
        return choice;
    }

    std::vector<Message> messages;
    std::vector<Message> warnings;
    std::vector<std::string> chooserFolders;
    std::deque<std::optional<std::string>> choices;
};

class FakeShell final : public app::Shell {
  public:
    bool OpenUrl(const QUrl& url) override {
        urls.push_back(url);
        return answer;
    }
    std::vector<QUrl> urls;
    bool answer = true;
};

}  // namespace app_test
