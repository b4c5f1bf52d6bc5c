#include <gtest/gtest.h>

#include <fstream>

#include "report/core/base/json.h"
#include "report/core/engine/engine.h"
#include "report/core/model/memo_view.h"
#include "report/core/model/report.h"
#include "report/core/prepared/prepared_file.h"
#include "report/core/prepared/prepared_file_error.h"
#include "report/core/prepared/prepared_pages.h"
#include "tests/etat/run_command.h"

namespace {

using etat_test::RunCommand;

// A file of two pages: a text "Équipe A" on the first, nothing on the second (no margins).
std::string WriteSample() {
    report::Engine engine(nullptr);
    report::Report report(engine.Model());
    report::Page& templatePage = report.AddPage();
    report::PreparedPages store(report);
    store.AppendPage(templatePage, 0);
    report::MemoView memo;
    memo.name = "Memo3";
    memo.left = 12;
    memo.width = 150;
    memo.height = 18;
    memo.memo = {"[joueur1]"};
    memo.expandedMemo = {"\xC9quipe A"};
    store.AppendObject(0, memo);
    templatePage.marginsActive = 0;
    templatePage.leftMargin = 25;
    store.AppendPage(templatePage, 1);
    const std::string path = ::testing::TempDir() + "/etat_prepared_tirage.etp";
    report::SavePreparedFile(store, path);
    return path;
}

report::JsonValue DumpPrepared(const std::string& path) {
    ::testing::internal::CaptureStdout();
    const int status = RunCommand("dump-prepared", {path});
    const std::string out = ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(status, 0);
    return report::ParseJson(out);
}

int64_t IntAt(const report::JsonValue& object, const char* key) {
    const report::JsonValue* value = object.Find(key);
    if (value == nullptr) {
        ADD_FAILURE() << "no member " << key;
        return -99999;
    }
    return value->AsInt(key, INT32_MIN, INT32_MAX);
}

TEST(PreparedCommands, DumpShowsFileFieldsPagesAndFinishedTexts) {
    const report::JsonValue json = DumpPrepared(WriteSample());
    EXPECT_EQ(IntAt(json, "version"), 24);
    EXPECT_EQ(IntAt(json, "compressionFlag"), 0);
    EXPECT_EQ(json.Find("printer")->AsString("printer"), "Imprimante virtuelle");
    const auto& pages = json.Find("pages")->AsArray("pages");
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(IntAt(pages[0], "paperCode"), 9);
    EXPECT_EQ(IntAt(pages[0], "paperWidth"), 2100);
    EXPECT_EQ(IntAt(pages[0], "paperHeight"), 2970);
    EXPECT_TRUE(pages[0].Find("marginsActive")->AsBool("marginsActive"));
    EXPECT_FALSE(pages[1].Find("marginsActive")->AsBool("marginsActive"));
    EXPECT_EQ(IntAt(pages[1], "leftMargin"), 25);
    const auto& objects = pages[0].Find("objects")->AsArray("objects");
    ASSERT_EQ(objects.size(), 1u);
    EXPECT_EQ(objects[0].Find("class")->AsString("class"), "MemoView");
    EXPECT_EQ(objects[0].Find("name")->AsString("name"), "Memo3");
    EXPECT_EQ(IntAt(objects[0], "left"), 12);
    const auto& memo = objects[0].Find("memo")->AsArray("memo");
    ASSERT_EQ(memo.size(), 1u);
    EXPECT_EQ(memo[0].AsString("memo"), "\xC3\x89quipe A");  // UTF-8
    EXPECT_EQ(objects[0].Find("script"), nullptr);           // not kept by prepared pages
    EXPECT_TRUE(pages[1].Find("objects")->AsArray("objects").empty());
}

TEST(PreparedCommands, DamagedFileIsRefusedWithItsMessage) {
    const std::string path = ::testing::TempDir() + "/etat_prepared_abime.etp";
    std::ofstream(path, std::ios::binary) << std::string("\x18\x00\x02\x00", 4);
    EXPECT_THROW(RunCommand("dump-prepared", {path}), report::PreparedFileError);
    EXPECT_EQ(RunCommand("dump-prepared", {}), 1);
}

}  // namespace
