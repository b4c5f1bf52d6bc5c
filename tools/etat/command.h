// The commands of `etat`. Each command lives in its own source file and registers itself with a
// static EtatCommand object; main() looks the first argument up.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace etat {

// Runs a command with the arguments that follow its name (UTF-8). Returns the exit status:
// 0 on success, 1 after printing a French error on stderr.
using CommandFunction = std::function<int(const std::vector<std::string>& args)>;

struct CommandInfo {
    std::string name;
    std::string usage;  // one line, e.g. "eval [--var NAME=VALUE]... EXPR"
    CommandFunction run;
};

// Registers a command at static-initialisation time.
class EtatCommand {
  public:
    EtatCommand(std::string name, std::string usage, CommandFunction run);
};

const std::vector<CommandInfo>& Commands();

}  // namespace etat
