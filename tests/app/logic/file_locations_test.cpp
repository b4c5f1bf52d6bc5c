// The choice of the shared and user folders, from a table of file-system situations, then the
// real file system: the user folder's creation and the real probe.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <set>
#include <string>
#include <vector>

#include "app/logic/file_locations.h"
#include "app/logic/globals.h"
#include "app/logic/results_file.h"
#include "app/logic/settings.h"
#include "tests/app/logic/test_support.h"

namespace {

using app_test::FileExists;
using app_test::TemporaryFolder;
using app_test::WriteFile;

// A file system described by its folders (with "/"), files, and folders this user may write.
class TableProbe final : public app::FolderProbe {
  public:
    bool IsFolder(const std::string& path) const override { return folders.contains(Slash(path)); }
    bool IsFile(const std::string& path) const override { return files.contains(path); }
    bool MayWriteFolder(const std::string& path) const override {
        return writable.contains(Slash(path));
    }
    std::set<std::string> folders, files, writable;

  private:
    static std::string Slash(std::string path) {
        if (path.empty() || path.back() != '/') path += '/';
        return path;
    }
};

struct Situation {
    const char* what;
    std::string programFolder;
    std::set<std::string> folders, files, writable;
    std::string xdgDataHome, home;
    // Expected:
    std::string sharedFolder, userFolder, templateFile;
};

const std::string kHome = "/home/arbitre";
const std::string kUserData = "/home/arbitre/.local/share/tombage/";

TEST(FileLocationsTest, ChoiceTable) {
    const std::vector<Situation> table = {
        {"portable folder that may be written: everything stays there",
         "/home/arbitre/tombage",
         {"/home/arbitre/tombage/"},
         {"/home/arbitre/tombage/Tombage.etf"},
         {"/home/arbitre/tombage/"},
         "",
         kHome,
         "/home/arbitre/tombage/",
         "/home/arbitre/tombage/",
         "/home/arbitre/tombage/Tombage.etf"},
        {"portable folder given with its slash, XDG_DATA_HOME set: still the folder",
         "/media/cle/tombage/",
         {"/media/cle/tombage/"},
         {},
         {"/media/cle/tombage/"},
         "/home/arbitre/donnees",
         kHome,
         "/media/cle/tombage/",
         "/media/cle/tombage/",
         "/media/cle/tombage/Tombage.etf"},
        {"installed, no user folder yet, XDG_DATA_HOME unset",
         "/usr/bin",
         {"/usr/bin/", "/usr/share/tombage/"},
         {"/usr/share/tombage/Tombage.etf"},
         {},
         "",
         kHome,
         "/usr/share/tombage/",
         kUserData,
         "/usr/share/tombage/Tombage.etf"},
        {"installed, the user folder exists already",
         "/usr/bin",
         {"/usr/bin/", "/usr/share/tombage/", kUserData},
         {"/usr/share/tombage/Tombage.etf", kUserData + "tombage.DBP"},
         {kUserData},
         "",
         kHome,
         "/usr/share/tombage/",
         kUserData,
         "/usr/share/tombage/Tombage.etf"},
        {"installed, XDG_DATA_HOME set",
         "/usr/bin",
         {"/usr/bin/", "/usr/share/tombage/"},
         {},
         {},
         "/srv/profils/arbitre",
         kHome,
         "/usr/share/tombage/",
         "/srv/profils/arbitre/tombage/",
         "/usr/share/tombage/Tombage.etf"},
        {"installed, XDG_DATA_HOME with a trailing slash",
         "/usr/bin",
         {"/usr/bin/", "/usr/share/tombage/"},
         {},
         {},
         "/srv/profils/arbitre/",
         kHome,
         "/usr/share/tombage/",
         "/srv/profils/arbitre/tombage/",
         "/usr/share/tombage/Tombage.etf"},
        {"installed, a relative XDG_DATA_HOME is ignored",
         "/usr/bin",
         {"/usr/bin/", "/usr/share/tombage/"},
         {},
         {},
         "donnees",
         kHome,
         "/usr/share/tombage/",
         kUserData,
         "/usr/share/tombage/Tombage.etf"},
        {"installed, the user's own template overrides the installed one",
         "/usr/bin",
         {"/usr/bin/", "/usr/share/tombage/", kUserData},
         {"/usr/share/tombage/Tombage.etf", kUserData + "Tombage.etf"},
         {kUserData},
         "",
         kHome,
         "/usr/share/tombage/",
         kUserData,
         kUserData + "Tombage.etf"},
        {"installed under /usr/local, the user's template overrides it through XDG_DATA_HOME",
         "/usr/local/bin/",
         {"/usr/local/bin/", "/usr/local/share/tombage/", "/srv/p/tombage/"},
         {"/srv/p/tombage/Tombage.etf"},
         {},
         "/srv/p",
         kHome,
         "/usr/local/share/tombage/",
         "/srv/p/tombage/",
         "/srv/p/tombage/Tombage.etf"},
        {"installed and run by root, who may write /usr/bin: /usr stays clean",
         "/usr/bin",
         {"/usr/bin/", "/usr/share/tombage/"},
         {},
         {"/usr/bin/"},
         "",
         "/root",
         "/usr/share/tombage/",
         "/root/.local/share/tombage/",
         "/usr/share/tombage/Tombage.etf"},
        {"portable copy on a read-only medium: shared files from it, user's files at home",
         "/media/cdrom/tombage",
         {"/media/cdrom/tombage/"},
         {"/media/cdrom/tombage/Tombage.etf"},
         {},
         "",
         kHome,
         "/media/cdrom/tombage/",
         kUserData,
         "/media/cdrom/tombage/Tombage.etf"},
        {"read-only folder and no home at all: the program folder, where saving will fail",
         "/usr/bin",
         {"/usr/bin/", "/usr/share/tombage/"},
         {},
         {},
         "",
         "",
         "/usr/share/tombage/",
         "/usr/bin/",
         "/usr/share/tombage/Tombage.etf"},
    };
    for (const Situation& row : table) {
        SCOPED_TRACE(row.what);
        TableProbe probe;
        probe.folders = row.folders;
        probe.files = row.files;
        probe.writable = row.writable;
        const app::FileLocations locations =
            app::ChooseFileLocations({row.programFolder, row.xdgDataHome, row.home}, probe);
        EXPECT_EQ(locations.sharedFolder, row.sharedFolder);
        EXPECT_EQ(locations.userFolder, row.userFolder);
        EXPECT_EQ(locations.separateUserFolder, row.userFolder != locations.programFolder);
        EXPECT_EQ(app::TemplateFilePath(locations, probe), row.templateFile);
        // The results file and the settings follow the user folder.
        app::SetFileLocations(locations);
        EXPECT_EQ(app::ResultsFilePath(), row.userFolder + "tombage.DBP");
        EXPECT_EQ(app::SettingsFilePath(), row.userFolder + "Tombage.ini");
    }
}

TEST(FileLocationsTest, InstalledDataFolderTable) {
    const std::vector<std::pair<std::string, std::string>> table = {
        {"/usr/bin/", "/usr/share/tombage/"},
        {"/usr/bin", "/usr/share/tombage/"},
        {"/opt/racine/usr/bin/", "/opt/racine/usr/share/tombage/"},
        {"/bin", "/share/tombage/"},
    };
    for (const auto& [program, data] : table) {
        SCOPED_TRACE(program);
        EXPECT_EQ(app::InstalledDataFolder(program), data);
    }
}

// The real file system: an installation laid out in a temporary folder, run with a fresh home.
TEST(FileLocationsTest, InstalledLayoutOnDiskCreatesTheUserFolderPrivate) {
    TemporaryFolder root;
    ASSERT_EQ(::mkdir(root.File("bin").c_str(), 0755), 0);
    ASSERT_EQ(::mkdir(root.File("share").c_str(), 0755), 0);
    ASSERT_EQ(::mkdir(root.File("share/tombage").c_str(), 0755), 0);
    WriteFile(root.File("share/tombage/Tombage.etf"), "modèle installé");
    ASSERT_EQ(::mkdir(root.File("home").c_str(), 0755), 0);

    const app::SystemFolderProbe probe;
    const app::FileLocations locations =
        app::ChooseFileLocations({root.File("bin"), "", root.File("home")}, probe);
    EXPECT_EQ(locations.sharedFolder, root.File("share/tombage/"));
    EXPECT_EQ(locations.userFolder, root.File("home/.local/share/tombage/"));
    EXPECT_FALSE(FileExists(locations.userFolder));
    app::PrepareUserFolder(locations);
    struct stat status {};
    ASSERT_EQ(::stat(locations.userFolder.c_str(), &status), 0);
    EXPECT_TRUE(S_ISDIR(status.st_mode));
    EXPECT_EQ(status.st_mode & 0777, 0700u);
    ASSERT_EQ(::stat(root.File("home/.local").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0700u);
    EXPECT_EQ(app::TemplateFilePath(locations, probe), root.File("share/tombage/Tombage.etf"));

    // A folder that exists keeps its mode; the user's template then wins.
    ASSERT_EQ(::chmod(locations.userFolder.c_str(), 0750), 0);
    app::PrepareUserFolder(locations);
    ASSERT_EQ(::stat(locations.userFolder.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0750u);
    WriteFile(locations.userFolder + "Tombage.etf", "modèle de l'arbitre");
    EXPECT_EQ(app::TemplateFilePath(locations, probe), locations.userFolder + "Tombage.etf");

    // A folder named like the template is no template.
    ::unlink((locations.userFolder + "Tombage.etf").c_str());
    ASSERT_EQ(::mkdir((locations.userFolder + "Tombage.etf").c_str(), 0755), 0);
    EXPECT_EQ(app::TemplateFilePath(locations, probe), root.File("share/tombage/Tombage.etf"));
    ::rmdir((locations.userFolder + "Tombage.etf").c_str());
}

TEST(FileLocationsTest, PortableFolderOnDiskCreatesNothing) {
    TemporaryFolder program;
    TemporaryFolder home;
    const app::SystemFolderProbe probe;
    const app::FileLocations locations =
        app::ChooseFileLocations({program.Path(), "", home.Path()}, probe);
    EXPECT_EQ(locations.userFolder, program.Path());
    EXPECT_EQ(locations.sharedFolder, program.Path());
    app::PrepareUserFolder(locations);
    EXPECT_TRUE(app_test::FolderEntries(home.Path()).empty());
}

TEST(FileLocationsTest, ReadOnlyPortableFolderOnDisk) {
    if (app_test::RunningAsRoot()) GTEST_SKIP() << "root écrit dans un dossier en lecture seule";
    TemporaryFolder program;
    TemporaryFolder home;
    ASSERT_EQ(::chmod(program.Path().c_str(), 0555), 0);
    const app::SystemFolderProbe probe;
    const app::FileLocations locations =
        app::ChooseFileLocations({program.Path(), "", home.Path()}, probe);
    ::chmod(program.Path().c_str(), 0755);
    EXPECT_EQ(locations.sharedFolder, program.Path());
    EXPECT_EQ(locations.userFolder, home.File(".local/share/tombage/"));
}

TEST(FileLocationsTest, UnwritableParentLeavesTheUserFolderMissing) {
    TemporaryFolder root;
    WriteFile(root.File("fichier"), "");
    // The home is a file: nothing can be created under it, and nothing fails loudly.
    app::FileLocations locations = app::PortableLocations(root.Path());
    locations.userFolder = root.File("fichier/.local/share/tombage/");
    locations.separateUserFolder = true;
    app::PrepareUserFolder(locations);
    EXPECT_FALSE(FileExists(locations.userFolder));
}

}  // namespace
