// Saving a prepared report over an existing file, killed at random moments: the file is always
// either the previous report or the new one, whole; a file that may not be written is refused
// and stays as it was.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "report/core/base/engine_stream.h"
#include "report/core/base/errors.h"
#include "report/core/prepared/prepared_file.h"
#include "report/core/prepared/prepared_pages.h"
#include "tests/report/core/prepared/prepared_fixtures.h"

namespace {

using prepared_fixtures::Bench;
using report::EngineStream;
using report::PreparedPages;

constexpr int kKills = 150;

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

std::string Bytes(const PreparedPages& store) {
    EngineStream s;
    store.WriteToStream(s);
    return s.TakeBytes();
}

// A report of `pages` pages of a few texts each: large enough that its write takes a while.
void FillPages(PreparedPages& store, Bench& bench, int pages, const std::string& mark) {
    for (int i = 0; i < pages; ++i) {
        store.InsertPage(i, *bench.templatePage);
        for (int line = 0; line < 8; ++line) {
            auto memo = prepared_fixtures::Memo(
                mark + " page " + std::to_string(i) + " ligne " + std::to_string(line), 40,
                40 + 20 * line, 300, 18);
            store.AppendObject(i, *memo);
        }
    }
}

class PreparedSaveTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = ::testing::TempDir() + "/prepared-save-" + std::to_string(::getpid());
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        path = folder + "/tirage.etp";
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    Bench bench;
    std::string folder;
    std::string path;
};

TEST_F(PreparedSaveTest, AKilledSaveLeavesTheOldFileOrTheNewOneWhole) {
    PreparedPages previous(*bench.report);
    FillPages(previous, bench, 3, "ancien");
    PreparedPages next(*bench.report);
    FillPages(next, bench, 3000, "nouveau");
    const std::string previousBytes = Bytes(previous);
    const std::string nextBytes = Bytes(next);

    std::mt19937 random(20240309);
    std::uniform_int_distribution<int> delayMicroseconds(0, 30000);
    int whole = 0;
    int old = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        SCOPED_TRACE("kill " + std::to_string(kill));
        report::SavePreparedFile(previous, path);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (;;) {
                try {
                    report::SavePreparedFile(next, path);
                } catch (...) {
                    ::_exit(2);
                }
            }
        }
        ::usleep(static_cast<useconds_t>(delayMicroseconds(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the child stopped by itself: " << status;
        const std::string content = ReadFile(path);
        ASSERT_TRUE(content == previousBytes || content == nextBytes)
            << "a file of " << content.size() << " bytes, neither report";
        (content == nextBytes ? whole : old) += 1;
        // What is on disk opens.
        PreparedPages back(*bench.report);
        report::OpenPreparedFile(back, path);
        EXPECT_EQ(back.PageCount(), content == nextBytes ? 3000 : 3);
    }
    RecordProperty("KilledBeforeTheNewFile", old);
    RecordProperty("KilledAfterTheNewFile", whole);
    EXPECT_GT(old, 0);
}

TEST_F(PreparedSaveTest, AFileThatMayNotBeWrittenIsRefusedAndKept) {
    PreparedPages previous(*bench.report);
    FillPages(previous, bench, 2, "ancien");
    PreparedPages next(*bench.report);
    FillPages(next, bench, 5, "nouveau");
    report::SavePreparedFile(previous, path);
    const std::string before = ReadFile(path);
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    try {
        report::SavePreparedFile(next, path);
        ADD_FAILURE() << "a read-only file was written";
    } catch (const report::FileCreateError& error) {
        EXPECT_NE(std::string(error.what()).find("tirage.etp"), std::string::npos) << error.what();
    }
    EXPECT_EQ(ReadFile(path), before);
}

}  // namespace
