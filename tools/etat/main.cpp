#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "tools/etat/command.h"

namespace {

void PrintUsage() {
    std::fputs("usage : etat <commande> [arguments]\n", stderr);
    for (const etat::CommandInfo& command : etat::Commands()) {
        std::fprintf(stderr, "  etat %s\n", command.usage.c_str());
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        PrintUsage();
        return 1;
    }
    const std::string name = argv[1];
    for (const etat::CommandInfo& command : etat::Commands()) {
        if (command.name == name) {
            const std::vector<std::string> args(argv + 2, argv + argc);
            try {
                return command.run(args);
            } catch (const std::exception& error) {
                std::fprintf(stderr, "etat : %s\n", error.what());
                return 1;
            }
        }
    }
    std::fprintf(stderr, "etat : commande inconnue \xC2\xAB %s \xC2\xBB\n", name.c_str());
    PrintUsage();
    return 1;
}
