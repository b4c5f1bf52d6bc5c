#include "report/core/base/dialogs.h"

#include <cstdio>

#include "report/core/base/text.h"

namespace report {
namespace {

int AffirmativeAnswer(int flags) {
    const int buttons = flags & 0x0F;
    return buttons == mb::kYesNo || buttons == mb::kYesNoCancel ? mr::kYes : mr::kOk;
}

class StderrDialogs final : public DialogService {
  public:
    int ShowMessage(const std::string& text, const std::string& caption, int flags) override {
        std::fprintf(stderr, "%s : %s\n", TerminalText(caption).c_str(),
                     TerminalText(text).c_str());
        return AffirmativeAnswer(flags);
    }
    bool AskText(const std::string&, const std::string&, std::string&) override { return true; }
};

StderrDialogs& DefaultDialogs() {
    static StderrDialogs dialogs;
    return dialogs;
}

DialogService* installed = nullptr;

}  // namespace

int SilentDialogs::ShowMessage(const std::string&, const std::string&, int flags) {
    return AffirmativeAnswer(flags);
}

bool SilentDialogs::AskText(const std::string&, const std::string&, std::string&) {
    return true;
}

std::string TerminalText(const std::string& cp1252) {
    std::string lines;
    lines.reserve(cp1252.size());
    for (size_t i = 0; i < cp1252.size(); ++i) {
        if (cp1252[i] != '\r') {
            lines += cp1252[i];
        } else if (i + 1 == cp1252.size() || cp1252[i + 1] != '\n') {
            lines += '\n';
        }
    }
    return Cp1252ToUtf8(lines);
}

DialogService& Dialogs() {
    return installed ? *installed : DefaultDialogs();
}

void InstallDialogs(DialogService* service) {
    installed = service;
}

}  // namespace report
