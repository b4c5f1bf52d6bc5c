#include "tools/etat/command.h"

namespace etat {
namespace {
std::vector<CommandInfo>& Registry() {
    static std::vector<CommandInfo> commands;
    return commands;
}
}  // namespace

EtatCommand::EtatCommand(std::string name, std::string usage, CommandFunction run) {
    Registry().push_back({std::move(name), std::move(usage), std::move(run)});
}

const std::vector<CommandInfo>& Commands() {
    return Registry();
}

}  // namespace etat
