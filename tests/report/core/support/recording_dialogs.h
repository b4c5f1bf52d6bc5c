// A dialog service that records the boxes shown, for tests.
#pragma once

#include <string>
#include <vector>

#include "report/core/base/dialogs.h"

namespace report::testing {

class RecordingDialogs : public DialogService {
  public:
    struct Box {
        std::string text;
        std::string caption;
        int flags;
    };
    std::vector<Box> boxes;

    RecordingDialogs() { InstallDialogs(this); }
    ~RecordingDialogs() override { InstallDialogs(nullptr); }

    int ShowMessage(const std::string& text, const std::string& caption, int flags) override {
        boxes.push_back({text, caption, flags});
        return mr::kOk;
    }
    bool AskText(const std::string&, const std::string&, std::string&) override { return false; }
};

}  // namespace report::testing
