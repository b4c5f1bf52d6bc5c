// Runs an etat command as main() does after finding its name (errors raised by the command
// propagate; main() prints them).
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/etat/command.h"

namespace etat_test {

// The command's exit status; -1 (and a test failure) for an unknown name.
inline int RunCommand(const std::string& name, const std::vector<std::string>& args) {
    for (const etat::CommandInfo& command : etat::Commands()) {
        if (command.name == name) return command.run(args);
    }
    ADD_FAILURE() << "no command " << name;
    return -1;
}

}  // namespace etat_test
