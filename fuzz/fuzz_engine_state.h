// The engine's process-wide state as the fuzz targets set it up once: message boxes answered
// silently (a reader's error box must not print for every input), and one model state whose
// printer layer has started, as template loading waits for it.
#pragma once

#include "report/core/base/dialogs.h"
#include "report/core/model/model_state.h"

namespace fuzzing {

inline void InstallSilentDialogs() {
    static report::SilentDialogs dialogs;
    report::InstallDialogs(&dialogs);
}

// Never destroyed: the reports of the last input may still refer to it at exit.
inline report::ModelState& SharedModelState() {
    static report::ModelState* state = [] {
        InstallSilentDialogs();
        auto* created = new report::ModelState;
        created->printer.Start(nullptr);
        return created;
    }();
    return *state;
}

}  // namespace fuzzing
