// Fault injection on the results file: a child process saves draws one after the other and is
// killed at random moments, then once more on a file system that is full. After every kill the
// file holds the last draw saved or the one being saved, whole, and the program reads it back.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "app/logic/draw_procedure.h"
#include "app/logic/globals.h"
#include "app/logic/results_file.h"
#include "report/core/base/errors.h"
#include "tests/app/logic/test_support.h"

namespace {

using app_test::MemoryGrid;
using app_test::ReadFile;
using app_test::TemporaryFolder;

constexpr int kKills = 1000;

// Draw number `n`: between 1 and 40 matches, every cell naming the draw, so that two draws and
// any mix of them differ.
MemoryGrid DrawNumber(uint32_t n) {
    const int matches = 1 + static_cast<int>(n * 7 % 40);
    MemoryGrid grid(matches + 1);
    for (int row = 1; row <= matches; ++row) {
        const std::string draw = std::to_string(n) + "-" + std::to_string(row);
        grid.SetCell(0, row, "Recevante " + draw);
        grid.SetCell(1, row, row == matches ? "" : "Visiteuse " + draw);
        grid.SetCell(2, row, app::LabelOfRow(app::DrawMode::dmPlain, row));
    }
    return grid;
}

// The draws of one child: from `first` on, each saved, then its number sent to the parent.
[[noreturn]] void SaveDrawsForever(const std::string& path, uint32_t first, int report) {
    for (uint32_t n = first;; ++n) {
        try {
            app::SaveResults(DrawNumber(n), path);
        } catch (const std::exception&) {
            ::_exit(2);
        }
        if (::write(report, &n, sizeof n) != sizeof n) ::_exit(3);
    }
}

// The numbers of the draws the child reported saved before it died.
std::vector<uint32_t> ReadReports(int channel) {
    std::vector<uint32_t> saved;
    uint32_t n = 0;
    while (::read(channel, &n, sizeof n) == static_cast<ssize_t>(sizeof n))
        saved.push_back(n);
    return saved;
}

// What the program reads back from the file equals the draw's data rows.
bool ReadsBackAs(const std::string& path, uint32_t n) {
    MemoryGrid loaded(50);
    app::LoadResults(loaded, path);
    const MemoryGrid draw = DrawNumber(n);
    if (loaded.RowCount() != draw.RowCount()) return false;
    for (int row = 1; row < draw.RowCount(); ++row) {
        for (int column = 0; column < 3; ++column) {
            const std::string expected = app::ExtractField(draw.Cell(column, row), 0);
            if (loaded.Cell(column, row) != expected) return false;
        }
    }
    return true;
}

TEST(ResultsFileKillTest, EveryKillLeavesOneWholeDraw) {
    TemporaryFolder folder;
    const std::string path = folder.File(app::kResultsFileName);
    app::SaveResults(DrawNumber(0), path);
    uint32_t current = 0;  // the draw the file holds
    std::mt19937 random(20220315);
    std::uniform_int_distribution<int> delayMicroseconds(0, 8000);
    int killedAfterTheRename = 0;
    int leftovers = 0;

    for (int kill = 0; kill < kKills; ++kill) {
        SCOPED_TRACE("kill " + std::to_string(kill));
        int channel[2];
        ASSERT_EQ(::pipe(channel), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(channel[0]);
            SaveDrawsForever(path, current + 1, channel[1]);
        }
        ::close(channel[1]);
        ::usleep(static_cast<useconds_t>(delayMicroseconds(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the child stopped by itself: " << status;
        const std::vector<uint32_t> saved = ReadReports(channel[0]);
        ::close(channel[0]);

        const uint32_t lastSaved = saved.empty() ? current : saved.back();
        const std::string content = ReadFile(path);
        const std::string previous = app::ResultsFileContent(DrawNumber(lastSaved));
        const std::string next = app::ResultsFileContent(DrawNumber(lastSaved + 1));
        ASSERT_TRUE(content == previous || content == next)
            << "neither draw " << lastSaved << " nor the next: " << content.size() << " bytes";
        current = content == previous ? lastSaved : lastSaved + 1;
        if (content == next) ++killedAfterTheRename;
        ASSERT_TRUE(ReadsBackAs(path, current));
        // Only a kill between naming the temporary file and the rename leaves it behind.
        const std::vector<std::string> entries = app_test::FolderEntries(folder.Path());
        ASSERT_EQ(entries.front(), app::kResultsFileName);
        ASSERT_LE(entries.size(), 2u);
        if (entries.size() == 2) {
            ASSERT_TRUE(entries[1].starts_with(std::string(app::kResultsFileName) + ".tmp"));
            ++leftovers;
        }
    }
    // The next save removes what a killed one left.
    app::SaveResults(DrawNumber(current + 1), path);
    EXPECT_EQ(app_test::FolderEntries(folder.Path()),
              std::vector<std::string>{app::kResultsFileName});
    RecordProperty("TemporaryFilesLeftByAKill", leftovers);
    EXPECT_GT(current, 0u) << "no draw was ever saved";
    RecordProperty("DrawsSaved", static_cast<int>(current));
    RecordProperty("KilledAfterTheRename", killedAfterTheRename);
}

TEST(ResultsFileKillTest, FullFileSystemKeepsThePreviousDraw) {
    TemporaryFolder folder;
    const std::string path = folder.File(app::kResultsFileName);
    app::SaveResults(DrawNumber(1), path);
    const std::string previous = ReadFile(path);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Room for a few bytes only: the next, larger draw cannot be written.
        const app_test::FileSizeLimit limit(64);
        try {
            app::SaveResults(DrawNumber(5), path);
        } catch (const report::FileCreateError&) {
            ::_exit(0);
        }
        ::_exit(1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the save did not report the full disk";
    EXPECT_EQ(ReadFile(path), previous);
    EXPECT_TRUE(ReadsBackAs(path, 1));
    EXPECT_EQ(app_test::FolderEntries(folder.Path()),
              std::vector<std::string>{app::kResultsFileName});
}

}  // namespace
