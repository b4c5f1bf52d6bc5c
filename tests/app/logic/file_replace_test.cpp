// Saving the results file and the settings file under every combination of rights: the previous
// content is never lost, a read-only file is refused and the file keeps its mode.
#include "report/core/base/file_replace.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <optional>
#include <sstream>

#include "app/logic/ini_file.h"
#include "app/logic/results_file.h"
#include "report/core/base/errors.h"
#include "tests/app/logic/test_support.h"

namespace {

using app_test::MemoryGrid;
using app_test::ReadFile;
using app_test::TemporaryFolder;
using app_test::WriteFile;

// Runs `body` in a child process, as the user "nobody" when the tests run as root (root writes
// through any right). Returns what the body returned; an empty text means all went as expected.
// Nothing when the tests run as root and there is no such user.
std::optional<std::string> RunWithoutRoot(const std::function<std::string()>& body) {
    std::optional<passwd> nobody;
    if (app_test::RunningAsRoot()) {
        const passwd* entry = ::getpwnam("nobody");
        if (entry == nullptr) return std::nullopt;
        nobody = *entry;
    }
    int channel[2];
    if (::pipe(channel) != 0) return "pipe";
    const pid_t child = ::fork();
    if (child < 0) return "fork";
    if (child == 0) {
        ::close(channel[0]);
        std::string report;
        if (nobody && (::setgid(nobody->pw_gid) != 0 || ::setuid(nobody->pw_uid) != 0)) {
            report = "setuid";
        } else {
            report = body();
        }
        [[maybe_unused]] const ssize_t written = ::write(channel[1], report.data(), report.size());
        ::_exit(0);
    }
    ::close(channel[1]);
    std::string report;
    char buffer[512];
    ssize_t n = 0;
    while ((n = ::read(channel[0], buffer, sizeof buffer)) > 0)
        report.append(buffer, static_cast<size_t>(n));
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) report += " (child did not end cleanly)";
    return report;
}

enum class SavedFile { sfResults, sfSettings };

// Saves `content` into the file the way the program saves that file; the error's message, or
// "" when it was saved.
std::string Save(SavedFile kind, const std::string& path) {
    try {
        if (kind == SavedFile::sfResults) {
            MemoryGrid grid(2);
            grid.SetCell(0, 1, "Nouvelle");
            grid.SetCell(1, 1, "Equipe");
            grid.SetCell(2, 1, "001");
            app::SaveResults(grid, path);
        } else {
            app::IniFile ini(path);
            ini.WriteString("MiseAjour", "NoValide", "1");
        }
    } catch (const std::exception& error) {
        return error.what();
    }
    return "";
}

// What the save leaves in a file that held `former`; the settings keep the lines they do not
// know.
std::string NewContent(SavedFile kind, const std::string& former) {
    if (kind == SavedFile::sfResults) return "Nouvelle;Equipe;001;\r\n";
    return former + "[MiseAjour]\r\nNoValide=1\r\n";
}

std::string RefusalMessage(SavedFile kind, const std::string& path) {
    return kind == SavedFile::sfResults ? "Impossible de cr\xE9"
                                          "er le fichier " +
                                              path
                                        : "Impossible d'\xE9"
                                          "crire dans " +
                                              path;
}

struct RightsCase {
    const char* name;
    mode_t folderMode;
    std::optional<mode_t> fileMode;  // nothing: no file yet
    std::optional<unsigned long> sizeLimit;
    bool saved;
    bool sameInode;  // written in place rather than replaced
};

// The former content is long, so that a shorter new one shows whether the file was cut.
const std::string kFormer = "Ancienne;Equipe;001;\r\nAutre;Equipe;002;\r\nDerniere;;003;\r\n";

std::string CheckRightsCase(const RightsCase& c, SavedFile kind, const std::string& base) {
    std::ostringstream problems;
    const std::string folder = base + (kind == SavedFile::sfResults ? "r_" : "s_") + c.name;
    const std::string path = folder + "/fichier";
    if (::mkdir(folder.c_str(), 0755) != 0) return "mkdir";
    struct stat before {};
    if (c.fileMode) {
        WriteFile(path, kFormer);
        ::chmod(path.c_str(), *c.fileMode);
        ::stat(path.c_str(), &before);
    }
    ::chmod(folder.c_str(), c.folderMode);
    std::string outcome;
    {
        std::optional<app_test::FileSizeLimit> limit;
        if (c.sizeLimit) limit.emplace(*c.sizeLimit);
        outcome = Save(kind, path);
    }
    ::chmod(folder.c_str(), 0755);  // so that the folder can be removed

    const std::string expectedOutcome = c.saved ? "" : RefusalMessage(kind, path);
    if (outcome != expectedOutcome) problems << "outcome [" << outcome << "]; ";
    struct stat after {};
    const bool exists = ::stat(path.c_str(), &after) == 0;
    if (!c.fileMode) {
        if (exists != c.saved) problems << "file exists: " << exists << "; ";
        if (exists && ReadFile(path) != NewContent(kind, "")) problems << "new content; ";
        return problems.str();
    }
    const std::string content = ReadFile(path);
    if (content != (c.saved ? NewContent(kind, kFormer) : kFormer))
        problems << "content [" << content << "]; ";
    if ((after.st_mode & 07777) != *c.fileMode)
        problems << "mode " << std::oct << after.st_mode << "; ";
    if (c.saved && (after.st_ino == before.st_ino) != c.sameInode)
        problems << "in place: " << (after.st_ino == before.st_ino) << "; ";
    const auto entries = app_test::FolderEntries(folder + "/");
    if (entries != std::vector<std::string>{"fichier"}) problems << entries.size() << " entries; ";
    return problems.str();
}

TEST(FileReplaceTest, RightsOfFolderAndFile) {
    const RightsCase cases[] = {
        {"both_writable", 0755, 0640, std::nullopt, true, false},
        {"folder_read_only", 0555, 0640, std::nullopt, true, true},
        {"file_read_only", 0755, 0444, std::nullopt, false, false},
        {"both_read_only", 0555, 0444, std::nullopt, false, false},
        {"new_file", 0755, std::nullopt, std::nullopt, true, false},
        {"new_file_folder_read_only", 0555, std::nullopt, std::nullopt, false, false},
        // Nothing in the folder can be replaced and the disk is full: the file stays whole.
        {"folder_read_only_disk_full", 0555, 0640, 16, false, false},
        {"disk_full", 0755, 0640, 16, false, false},
    };
    TemporaryFolder base;
    if (app_test::RunningAsRoot()) ::chmod(base.Path().c_str(), 0777);  // "nobody" works in it
    for (const SavedFile kind : {SavedFile::sfResults, SavedFile::sfSettings}) {
        for (const RightsCase& c : cases) {
            SCOPED_TRACE(std::string(c.name) +
                         (kind == SavedFile::sfResults ? " (DBP)" : " (INI)"));
            const auto problems =
                RunWithoutRoot([&] { return CheckRightsCase(c, kind, base.Path()); });
            if (!problems) GTEST_SKIP() << "running as root without a user \"nobody\" to test as";
            EXPECT_EQ(*problems, "");
        }
    }
}

TEST(FileReplaceTest, ReadOnlyFileIsRefusedEvenForRoot) {
    // Root may write anything; a file nobody may write still stays as it is.
    TemporaryFolder folder;
    const std::string path = folder.File("tombage.DBP");
    WriteFile(path, kFormer);
    ::chmod(path.c_str(), 0444);
    EXPECT_FALSE(report::ReplaceFileContent(path, "x"));
    EXPECT_EQ(ReadFile(path), kFormer);
}

TEST(FileReplaceTest, LinkIsFollowedAndStays) {
    TemporaryFolder folder;
    ::mkdir(folder.File("ailleurs").c_str(), 0755);
    const std::string target = folder.File("ailleurs/tombage.DBP");
    WriteFile(target, kFormer);
    ::chmod(target.c_str(), 0600);
    const std::string link = folder.File("tombage.DBP");
    ASSERT_EQ(::symlink(target.c_str(), link.c_str()), 0);
    ASSERT_TRUE(report::ReplaceFileContent(link, "neuf"));
    struct stat info {};
    ASSERT_EQ(::lstat(link.c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    EXPECT_EQ(ReadFile(target), "neuf");
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0600u);
}

TEST(FileReplaceTest, FolderInPlaceOfTheFileIsRefused) {
    TemporaryFolder folder;
    ::mkdir(folder.File("tombage.DBP").c_str(), 0755);
    EXPECT_FALSE(report::ReplaceFileContent(folder.File("tombage.DBP"), "x"));
}

}  // namespace
