#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "report/core/base/text.h"
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
                // Engine messages are Windows-1252; the terminal speaks UTF-8.
                std::fprintf(stderr, "etat : %s\n", report::Cp1252ToUtf8(error.what()).c_str());
                return 1;
            }
        }
    }
    std::fprintf(stderr, "etat : commande inconnue \xC2\xAB %s \xC2\xBB\n", name.c_str());
    PrintUsage();
    return 1;
}
