#include "app/logic/file_locations.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace app {
namespace {

constexpr const char* kTemplateFileName = "Tombage.etf";

std::string WithSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

// The user's data folder for the program, or empty without any home.
std::string UserDataFolder(const LocationInputs& inputs) {
    // The XDG rule: a relative $XDG_DATA_HOME is ignored.
    if (!inputs.xdgDataHome.empty() && inputs.xdgDataHome.front() == '/')
        return WithSlash(inputs.xdgDataHome) + "tombage/";
    if (!inputs.home.empty() && inputs.home.front() == '/')
        return WithSlash(inputs.home) + ".local/share/tombage/";
    return {};
}

}  // namespace

std::string InstalledDataFolder(const std::string& programFolder) {
    std::string folder = WithSlash(programFolder);
    folder.pop_back();
    const size_t slash = folder.rfind('/');
    if (slash == std::string::npos) return "share/tombage/";
    return folder.substr(0, slash + 1) + "share/tombage/";
}

bool SystemFolderProbe::IsFolder(const std::string& path) const {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool SystemFolderProbe::IsFile(const std::string& path) const {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

bool SystemFolderProbe::MayWriteFolder(const std::string& path) const {
    return IsFolder(path) && ::access(path.c_str(), W_OK | X_OK) == 0;
}

LocationInputs LocationInputsFromEnvironment(const std::string& programFolder) {
    return {programFolder, Environment("XDG_DATA_HOME"), Environment("HOME")};
}

FileLocations PortableLocations(const std::string& programFolder) {
    const std::string folder = WithSlash(programFolder);
    return {folder, folder, folder, false};
}

FileLocations ChooseFileLocations(const LocationInputs& inputs, const FolderProbe& probe) {
    FileLocations locations = PortableLocations(inputs.programFolder);
    const std::string installedData = InstalledDataFolder(locations.programFolder);
    // An installed copy keeps /usr clean even for root, who may write there.
    const bool installed = probe.IsFolder(installedData);
    if (!installed && probe.MayWriteFolder(locations.programFolder)) return locations;
    if (installed) locations.sharedFolder = installedData;
    const std::string userFolder = UserDataFolder(inputs);
    if (userFolder.empty()) return locations;
    locations.userFolder = userFolder;
    locations.separateUserFolder = true;
    return locations;
}

void PrepareUserFolder(const FileLocations& locations) {
    if (!locations.separateUserFolder) return;
    const std::string& folder = locations.userFolder;
    for (size_t slash = folder.find('/', 1); slash != std::string::npos;
         slash = folder.find('/', slash + 1)) {
        const std::string part = folder.substr(0, slash);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return;
    }
}

std::string TemplateFilePath(const FileLocations& locations, const FolderProbe& probe) {
    if (locations.separateUserFolder) {
        const std::string own = locations.userFolder + kTemplateFileName;
        if (probe.IsFile(own)) return own;
    }
    return locations.sharedFolder + kTemplateFileName;
}

}  // namespace app
