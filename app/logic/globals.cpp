#include "app/logic/globals.h"

#include <utility>

namespace app {
namespace {

std::string& Folder() {
    static std::string folder;
    return folder;
}

}  // namespace

const std::string& ProgramFolder() {
    return Folder();
}

void SetProgramFolder(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    Folder() = std::move(folder);
}

std::string ExtractField(std::string_view line, int n) {
    std::string result;
    int separators = 0;
    for (const char c : line) {
        if (c == ';') {
            ++separators;
            if (separators > n) break;  // nothing after field n can be copied any more
        } else if (separators == n) {
            result += c;
        }
    }
    return result.empty() ? std::string("0") : result;
}

}  // namespace app
