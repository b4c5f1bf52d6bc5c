// Saving and loading prepared-report files from the preview.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "report/core/base/errors.h"
#include "report/core/output/prepared_file_name.h"
#include "report/core/output/preview_controller.h"
#include "report/core/prepared/prepared_pages.h"
#include "tests/report/core/output/preview_pages_fixture.h"
#include "tests/report/core/prepared/prepared_fixtures.h"
#include "tests/report/core/support/recording_dialogs.h"

namespace report {
namespace {

namespace fs = std::filesystem;
using preview_test::PreviewPages;

TEST(PreparedFileName, TheExtensionBecomesEtp) {
    struct Case {
        const char* chosen;
        const char* saved;
    };
    const std::vector<Case> cases{
        {"/tmp/rapport.txt", "/tmp/rapport.etp"},
        {"/tmp/rapport", "/tmp/rapport.etp"},
        {"/tmp/rapport.etp", "/tmp/rapport.etp"},
        {"/tmp/rapport.final.pdf", "/tmp/rapport.final.etp"},
        {"/tmp/v1.2/rapport", "/tmp/v1.2/rapport.etp"},
        {"/tmp/.rapport", "/tmp/.rapport.etp"},
        {"rapport.", "rapport.etp"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chosen);
        EXPECT_EQ(WithPreparedExtension(c.chosen), c.saved);
    }
}

class PreviewFilesTest : public ::testing::Test {
  protected:
    PreviewPages bench;
    ZoomMemory memory;
    PreviewController preview{memory};
    fs::path folder;

    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("tombage-preview-" +
                  std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
        preview.AttachPages(bench.Pages({{"Un"}, {"Deux"}, {"Trois"}}));
        preview.SetBoxSize(1000, 600);
        preview.ResetView(true);
    }
    void TearDown() override { fs::remove_all(folder); }
};

TEST_F(PreviewFilesTest, SavingUnderAnotherExtensionWritesEtpAndReloads) {
    const std::string saved = preview.Save((folder / "tirage.txt").string());
    EXPECT_EQ(saved, (folder / "tirage.etp").string());
    EXPECT_TRUE(fs::exists(folder / "tirage.etp"));
    EXPECT_FALSE(fs::exists(folder / "tirage.txt"));
    EXPECT_EQ(preview.PageCount(), 3);  // the pages stay in the preview

    EXPECT_EQ(preview.Save((folder / "sans").string()), (folder / "sans.etp").string());
    EXPECT_TRUE(fs::exists(folder / "sans.etp"));

    preview.NextPage();
    const std::string before = preview.Pages()->PageAt(1).pageData;
    preview.Load(saved);
    EXPECT_EQ(preview.PageCount(), 3);
    EXPECT_EQ(preview.CurrentPage(), 1);
    EXPECT_EQ(preview.VerticalPosition(), 0);
    EXPECT_EQ(preview.PageLabel(), "Page 1/3");
    EXPECT_EQ(preview.Pages()->PageAt(1).pageData, before);
    EXPECT_EQ(preview.StartSearch("trois", false, true), SearchOutcome::Found);
    EXPECT_EQ(preview.CurrentPage(), 3);
}

TEST_F(PreviewFilesTest, AFailedLoadOrSaveKeepsThePagesShown) {
    struct Case {
        const char* name;
        std::string bytes;  // the file's content; empty: no file at all
    };
    const std::vector<Case> cases{
        {"no such file", ""},
        {"damaged: a page past the end",
         std::string("\x18\x00\x00\x00\x02\x00\x00\x00\x40\x00\x00\x00", 12)},
        {"damaged: no pages", std::string("\x18\x00\x00\x00\x00\x00\x00\x00", 8)},
    };
    PreparedPages* shown = preview.Pages();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path path = folder / "abime.etp";
        fs::remove(path);
        if (!c.bytes.empty()) std::ofstream(path, std::ios::binary) << c.bytes;
        EXPECT_THROW(preview.Load(path.string()), EngineError);
        EXPECT_EQ(preview.Pages(), shown);
        EXPECT_EQ(preview.PageCount(), 3);
    }
    try {
        preview.Save((folder / "absent" / "tirage").string());
        ADD_FAILURE() << "saved into a missing folder";
    } catch (const FileCreateError& error) {
        EXPECT_NE(std::string(error.what())
                      .find("Impossible de cr\xE9"
                            "er le fichier"),
                  std::string::npos);
    }
    EXPECT_EQ(preview.PageCount(), 3);
}

}  // namespace
}  // namespace report

namespace report {
namespace {

// Files of the oldest layout hold one metafile picture per page; their text shows and is found.
class PicturePagesTest : public PreviewFilesTest {
  protected:
    std::string Write(const std::string& bytes) {
        const std::string path = (folder / "ancien.etp").string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
};

TEST_F(PicturePagesTest, TheirTextShowsAndIsFound) {
    testing::RecordingDialogs dialogs;
    preview.Load(Write(prepared_fixtures::PicturePagesFile(
        {prepared_fixtures::PageMetafile({"Tirage au sort"}),
         prepared_fixtures::PageMetafile({"Rencontre 12", "\xC9quipe A - \xC9quipe B"})})));
    ASSERT_EQ(preview.PageCount(), 2);
    EXPECT_TRUE(dialogs.boxes.empty());
    EXPECT_EQ(preview.StartSearch("\xE9quipe b", false, true), SearchOutcome::Found);
    EXPECT_EQ(preview.CurrentPage(), 2);
    EXPECT_EQ(preview.StartSearch("tirage", false, true), SearchOutcome::Found);
    EXPECT_EQ(preview.CurrentPage(), 1);
}

TEST_F(PicturePagesTest, APictureThatCannotBeShownIsNamed) {
    testing::RecordingDialogs dialogs;
    preview.Load(Write(prepared_fixtures::PicturePagesFile(
        {prepared_fixtures::PageMetafile({"Un"}),
         prepared_fixtures::PageMetafile({"Deux"}, 81),  // a bitmap record
         prepared_fixtures::PageMetafile({"Trois"}, 81)})));
    ASSERT_EQ(preview.PageCount(), 3);
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_NE(dialogs.boxes[0].text.find("pages 2, 3 "), std::string::npos)
        << dialogs.boxes[0].text;
    EXPECT_EQ(dialogs.boxes[0].flags, mb::kOk | mb::kIconWarning);
}

}  // namespace
}  // namespace report
