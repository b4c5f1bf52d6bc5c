#include "app/logic/globals.h"

#include <utility>

namespace app {
namespace {

FileLocations& CurrentLocations() {
    static FileLocations locations;
    return locations;
}

}  // namespace

const std::string& ProgramFolder() {
    return CurrentLocations().programFolder;
}

const FileLocations& Locations() {
    return CurrentLocations();
}

const std::string& SharedFolder() {
    return CurrentLocations().sharedFolder;
}

const std::string& UserFolder() {
    return CurrentLocations().userFolder;
}

void SetProgramFolder(std::string folder) {
    CurrentLocations() = PortableLocations(folder);
}

void SetFileLocations(FileLocations locations) {
    CurrentLocations() = std::move(locations);
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
