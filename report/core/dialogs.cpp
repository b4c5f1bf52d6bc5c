#include "report/core/dialogs.h"

#include <cstdio>

#include "report/core/text.h"

namespace report {
namespace {

class StderrDialogs final : public DialogService {
public:
    int ShowMessage(const std::string& text, const std::string& caption, int flags) override {
        std::fprintf(stderr, "%s : %s\n", Cp1252ToUtf8(caption).c_str(), Cp1252ToUtf8(text).c_str());
        const int buttons = flags & 0x0F;
        return buttons == mb::kYesNo || buttons == mb::kYesNoCancel ? mr::kYes : mr::kOk;
    }
    bool AskText(const std::string&, const std::string&, std::string&) override { return true; }
};

StderrDialogs& DefaultDialogs() {
    static StderrDialogs dialogs;
    return dialogs;
}

DialogService* installed = nullptr;

}  // namespace

DialogService& Dialogs() { return installed ? *installed : DefaultDialogs(); }

void InstallDialogs(DialogService* service) { installed = service; }

}  // namespace report
