// Text search in the preview: case, continuing with F3, restarting on the current page, the
// end of the pages, and the hit kept for the window to outline.
#include <gtest/gtest.h>

#include "report/core/output/preview_controller.h"
#include "report/core/prepared/prepared_pages.h"
#include "tests/report/core/output/preview_pages_fixture.h"

namespace report {
namespace {

using preview_test::PreviewPages;

class PreviewSearchTest : public ::testing::Test {
  protected:
    PreviewPages bench;
    ZoomMemory memory;
    PreviewController preview{memory};

    void SetUp() override {
        // Page texts in Windows-1252: "Équipe A", "éQuIpE C" / "équipe B" / "Rien ici".
        preview.AttachPages(bench.Pages(
            {{"\xC9quipe A", "Arbitre", "\xE9QuIpE C"}, {"\xE9quipe B"}, {"Rien ici"}, {"Fin"}}));
        preview.SetBoxSize(1000, 600);
        preview.ResetView(true);
    }

    // The y of a hit on its sheet: the texts stand 30 apart from 20.
    int HitRow() const {
        const IntRect sheet = preview.SheetOnScreen(preview.CurrentPage() - 1);
        return (preview.HitOnScreen()->top - sheet.top - 20) / 30;
    }
};

TEST_F(PreviewSearchTest, WithoutCaseF3FindsTheNextOnTheSamePageThenLaterPages) {
    struct Step {
        SearchOutcome outcome;
        int page;
        int row;
    };
    const std::vector<Step> steps{
        {SearchOutcome::Found, 1, 0},
        {SearchOutcome::Found, 1, 2},
        {SearchOutcome::Found, 2, 0},
        {SearchOutcome::NotFound, 2, -1},
        // Past the end, F3 starts again at the top of the current page.
        {SearchOutcome::Found, 2, 0},
    };
    SearchOutcome outcome = preview.StartSearch("\xE9quipe", false, true);
    for (size_t i = 0; i < steps.size(); ++i) {
        SCOPED_TRACE(i);
        if (i > 0) outcome = preview.ContinueSearch();
        EXPECT_EQ(outcome, steps[i].outcome);
        EXPECT_EQ(preview.CurrentPage(), steps[i].page);
        if (steps[i].row < 0) {
            EXPECT_FALSE(preview.HitOnScreen().has_value());
            EXPECT_EQ(preview.SearchPage(), preview.PageCount());
        } else {
            ASSERT_TRUE(preview.HitOnScreen().has_value());
            EXPECT_EQ(HitRow(), steps[i].row);
        }
    }
}

TEST_F(PreviewSearchTest, CaseSensitiveSearchFindsOnlyTheSameLetters) {
    EXPECT_EQ(preview.StartSearch("\xE9quipe", true, true), SearchOutcome::Found);
    EXPECT_EQ(preview.CurrentPage(), 2);
    EXPECT_EQ(preview.ContinueSearch(), SearchOutcome::NotFound);
    EXPECT_EQ(preview.StartSearch("EQUIPE", true, true), SearchOutcome::NotFound);
    EXPECT_EQ(preview.CurrentPage(), 2);  // the view stays where it is
}

TEST_F(PreviewSearchTest, F3AfterMovingToAnotherPageStartsAtTheTopOfThatPage) {
    ASSERT_EQ(preview.StartSearch("i", false, true), SearchOutcome::Found);  // "Équipe A"
    EXPECT_EQ(preview.CurrentPage(), 1);
    preview.NextPage();
    preview.NextPage();
    EXPECT_FALSE(preview.HitOnScreen().has_value());  // a page change drops the outline
    EXPECT_EQ(preview.ContinueSearch(), SearchOutcome::Found);
    EXPECT_EQ(preview.CurrentPage(), 3);  // "Rien ici"
    EXPECT_EQ(HitRow(), 0);
}

TEST_F(PreviewSearchTest, FromTheCurrentPageContinuesAfterTheLastHitThere) {
    ASSERT_EQ(preview.StartSearch("\xE9quipe", false, true), SearchOutcome::Found);
    EXPECT_EQ(preview.StartSearch("\xE9quipe", false, false), SearchOutcome::Found);
    EXPECT_EQ(preview.CurrentPage(), 1);
    EXPECT_EQ(HitRow(), 2);
    preview.NextPage();
    preview.NextPage();
    EXPECT_EQ(preview.StartSearch("Fin", false, false), SearchOutcome::Found);
    EXPECT_EQ(preview.CurrentPage(), 4);
}

TEST_F(PreviewSearchTest, AHitIsScrolledIntoViewAndSearchedPagesAreReleased) {
    preview.ChooseZoom(200);
    ASSERT_EQ(preview.StartSearch("fin", false, true), SearchOutcome::Found);
    EXPECT_EQ(preview.CurrentPage(), 4);
    // The hit's corner lands 10 pixels inside the view's top-left corner.
    const IntRect hit = *preview.HitOnScreen();
    EXPECT_EQ(hit.left, 10);
    EXPECT_EQ(hit.top, 10);
    EXPECT_GT(hit.right, hit.left);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(preview.Pages()->PageAt(i).livePage, nullptr);
    }
}

TEST_F(PreviewSearchTest, NoTextNoSearch) {
    EXPECT_FALSE(preview.HasSearchText());
    EXPECT_EQ(preview.ContinueSearch(), SearchOutcome::NotFound);
    EXPECT_EQ(preview.CurrentPage(), 1);
}

}  // namespace
}  // namespace report
