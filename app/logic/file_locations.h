// Where the program finds its shared files (template, help documents, example team lists) and
// where it keeps the user's files (results file, settings, the user's own template).
//
// A portable folder (the one ./run.sh lays out, a copy on a USB stick) holds everything: when the
// program folder may be written and no installation's data folder lies beside it, both folders
// are the program folder. Installed (a data folder <prefix>/share/tombage beside
// <prefix>/bin), or from a folder that may not be written, the user's files go to
// $XDG_DATA_HOME/tombage (~/.local/share/tombage when unset), and the shared files come from the
// installation's data folder, else from the program folder.
#pragma once

#include <string>

namespace app {

// The installation's data folder beside a program folder: "/usr/bin/" gives "/usr/share/tombage/".
std::string InstalledDataFolder(const std::string& programFolder);

// The file-system questions the choice asks; the tests answer them from a table.
class FolderProbe {
  public:
    virtual ~FolderProbe() = default;
    virtual bool IsFolder(const std::string& path) const = 0;
    virtual bool IsFile(const std::string& path) const = 0;
    // Whether this user may create files in the folder.
    virtual bool MayWriteFolder(const std::string& path) const = 0;
};

// The answers of the real file system (access(2) with the process's identity).
class SystemFolderProbe final : public FolderProbe {
  public:
    bool IsFolder(const std::string& path) const override;
    bool IsFile(const std::string& path) const override;
    bool MayWriteFolder(const std::string& path) const override;
};

// What the choice starts from. Folders may lack their trailing "/".
struct LocationInputs {
    std::string programFolder;  // the executable's folder
    std::string xdgDataHome;    // $XDG_DATA_HOME; empty or relative: unset
    std::string home;           // $HOME
};

// The inputs from the environment for the given program folder.
LocationInputs LocationInputsFromEnvironment(const std::string& programFolder);

// Every folder with its trailing "/".
struct FileLocations {
    std::string programFolder;
    std::string sharedFolder;  // template, help documents, exemples/
    std::string userFolder;    // tombage.DBP, Tombage.ini, the user's Tombage.etf
    // The user folder is not the program folder: it is created on first use, and a template
    // there overrides the shared one.
    bool separateUserFolder = false;
};

// The folders for a program folder. Without any home (neither $XDG_DATA_HOME nor $HOME), the
// user's files stay in the program folder, where saving then fails with its message.
FileLocations ChooseFileLocations(const LocationInputs& inputs, const FolderProbe& probe);

// Every folder in the program folder (the portable layout; tests use it).
FileLocations PortableLocations(const std::string& programFolder);

// Creates the user folder and its missing parents (mode 0700, as the desktop expects of
// ~/.local/share) when it is separate and missing. Failing is silent: the first save then names
// the file it could not write.
void PrepareUserFolder(const FileLocations& locations);

// The template that prints: the user's own when it exists, else the shared one.
std::string TemplateFilePath(const FileLocations& locations, const FolderProbe& probe);

}  // namespace app
