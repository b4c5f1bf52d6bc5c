#include <gtest/gtest.h>

#include <vector>

#include "report/core/base/errors.h"
#include "report/core/prepared/auto_width.h"
#include "report/core/prepared/page_data.h"
#include "report/core/prepared/prepared_pages.h"
#include "tests/report/core/prepared/prepared_fixtures.h"

namespace {

using prepared_fixtures::Bench;
using prepared_fixtures::Memo;
using report::PreparedPages;

// Marks each page by its paper width, so that the order of the pages can be read back.
void InsertMarked(PreparedPages& store, report::Page& templatePage, int index, int32_t mark) {
    templatePage.width = mark;
    store.InsertPage(index, templatePage);
}

std::vector<int32_t> Marks(const PreparedPages& store) {
    std::vector<int32_t> marks;
    for (int i = 0; i < store.PageCount(); ++i)
        marks.push_back(store.PageAt(i).paperWidth);
    return marks;
}

TEST(PreparedPages, InsertPagePlacesTheBlankPage) {
    struct Case {
        int index;
        std::vector<int32_t> expected;
    } cases[] = {
        {0, {9, 1, 2, 3}}, {1, {1, 9, 2, 3}},   {3, {1, 2, 3, 9}},
        {4, {1, 2, 3, 9}}, {100, {1, 2, 3, 9}}, {-1, {1, 2, 3, 9}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        Bench bench;
        PreparedPages store(*bench.report);
        for (int32_t mark : {1, 2, 3})
            InsertMarked(store, *bench.templatePage, store.PageCount(), mark);
        InsertMarked(store, *bench.templatePage, c.index, 9);
        EXPECT_EQ(Marks(store), c.expected);
    }
}

TEST(PreparedPages, NewPageCopiesTheTemplatePageAndHoldsNoObject) {
    Bench bench;
    report::Page& t = *bench.templatePage;
    t.leftMargin = 11;
    t.topMargin = 12;
    t.rightMargin = 13;
    t.bottomMargin = 14;
    t.paperBin = 0xFFFF;
    t.marginsActive = 5;
    PreparedPages store(*bench.report);
    const report::PreparedPage& page = store.InsertPage(0, t);
    EXPECT_EQ(page.pageData, std::string(1, '\x18'));
    EXPECT_EQ(page.paperCode, t.size);
    EXPECT_EQ(page.paperHeight, t.height);
    EXPECT_EQ(page.paperBin, 0xFFFF);
    EXPECT_TRUE(page.marginsActive);
    EXPECT_EQ(page.margins, (report::PageMargins{11, 12, 13, 14}));
    EXPECT_EQ(page.metrics, t.metrics);
    EXPECT_FALSE(page.livePage);
    EXPECT_EQ(store.ExpandPage(0).ObjectCount(), 0u);
    t.marginsActive = 0;
    EXPECT_FALSE(store.InsertPage(1, t).marginsActive);
}

TEST(PreparedPages, AppendPageTellsTheReportAndTheMasterReport) {
    Bench bench;
    report::Report master(bench.state);
    std::vector<std::string> calls;
    bench.report->onBeginPage = [&](int n) { calls.push_back("report " + std::to_string(n)); };
    master.onBeginPage = [&](int n) { calls.push_back("master " + std::to_string(n)); };
    PreparedPages store(*bench.report);
    store.AppendPage(*bench.templatePage, 4);
    store.AppendPage(*bench.templatePage, 5, bench.report.get());
    store.AppendPage(*bench.templatePage, 6, &master);
    EXPECT_EQ(calls, (std::vector<std::string>{"report 4", "report 5", "report 6", "master 6"}));
    EXPECT_EQ(store.PageCount(), 3);
}

TEST(PreparedPages, ExpandedObjectsCarryTheirFinishedText) {
    Bench bench;
    PreparedPages store(*bench.report);
    store.AppendPage(*bench.templatePage, 0);
    auto memo = Memo("Match 001", 10, 20, 100, 18);
    memo->memo = {"[Num]"};  // the template text is not stored
    store.AppendObject(0, *memo);
    report::Page& live = store.ExpandPage(0);
    ASSERT_EQ(live.ObjectCount(), 1u);
    const auto& view = dynamic_cast<const report::MemoView&>(live.ObjectAt(0));
    EXPECT_EQ(view.expandedMemo, report::StringList{"Match 001"});
    EXPECT_EQ(view.memo, report::StringList{"Match 001"});
    EXPECT_EQ(view.left, 10);
    EXPECT_EQ(view.top, 20);
    EXPECT_EQ(view.width, 100);
    EXPECT_FALSE(view.inPreparedPage);
    EXPECT_EQ(view.OwnerPage(), &live);
}

TEST(PreparedPages, ReleasedPagesComeBackIdentical) {
    Bench bench;
    PreparedPages store(*bench.report);
    store.AppendPage(*bench.templatePage, 0);
    store.PageAt(0).pageData = prepared_fixtures::SamplePageData();
    const std::string stored = store.PageAt(0).pageData;

    store.PageAt(0).visible = true;
    ASSERT_NE(store.PageToDraw(0), nullptr);
    EXPECT_EQ(store.PageToDraw(0), store.PageAt(0).livePage.get());  // not expanded again
    store.PageAt(0).visible = false;
    EXPECT_EQ(store.PageToDraw(0), nullptr);
    EXPECT_FALSE(store.PageAt(0).livePage);

    store.PageAt(0).visible = true;
    ASSERT_NE(store.PageToDraw(0), nullptr);
    store.StorePage(0);  // re-serializing the re-created objects
    EXPECT_EQ(store.PageAt(0).pageData, stored);
}

TEST(PreparedPages, StorePageKeepsWhatTheUserTyped) {
    Bench bench;
    PreparedPages store(*bench.report);
    store.AppendPage(*bench.templatePage, 0);
    store.PageAt(0).pageData = prepared_fixtures::SamplePageData();
    store.LivePage(0).ObjectAt(0).memo = {"Corrig\xE9", "deux lignes"};
    store.StorePage(0);
    store.ReleasePage(0);
    EXPECT_EQ(store.LivePage(0).ObjectAt(0).expandedMemo,
              (report::StringList{"Corrig\xE9", "deux lignes"}));
}

TEST(PreparedPages, RemoveAndOutOfRange) {
    Bench bench;
    PreparedPages store(*bench.report);
    for (int32_t mark : {1, 2, 3})
        InsertMarked(store, *bench.templatePage, store.PageCount(), mark);
    store.LivePage(1);
    store.RemovePage(1);
    EXPECT_EQ(Marks(store), (std::vector<int32_t>{1, 3}));
    for (int index : {-1, 2, 50}) {
        SCOPED_TRACE(index);
        EXPECT_THROW(store.PageAt(index), report::ListIndexError);
        EXPECT_THROW(store.RemovePage(index), report::ListIndexError);
        EXPECT_THROW(store.ExpandPage(index), report::ListIndexError);
    }
    store.ClearPages();
    EXPECT_EQ(store.PageCount(), 0);
}

class FixedWidth : public report::TextWidthMeasure {
  public:
    int32_t CalcTextWidth(const report::MemoView&) override { return 80; }
};

TEST(PreparedPages, AutoWidthObjectsAreSettledOnExpansion) {
    struct Case {
        const char* what;
        bool autoWidth;
        uint32_t alignment;
        const char* text;
        int32_t left, width, height;
    } cases[] = {
        {"left aligned", true, report::text_align::kLeft, "abc", 10, 80, 18},
        {"right aligned keeps its right edge", true, report::text_align::kRight, "abc", 30, 80, 18},
        {"justified keeps its right edge", true, report::text_align::kJustify, "abc", 30, 80, 18},
        {"centred", true, report::text_align::kCenter, "abc", 10, 80, 18},
        {"rotated takes it as height", true, report::text_align::kRotated, "abc", 10, 100, 80},
        {"not auto-width", false, report::text_align::kRight, "abc", 10, 100, 18},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Bench bench;
        FixedWidth measure;
        PreparedPages store(*bench.report);
        store.SetTextWidthMeasure(&measure);
        store.AppendPage(*bench.templatePage, 0);
        auto memo = Memo(c.text, 10, 5, 100, 18);  // a stale size
        memo->SetFlag(report::view_flag::kAutoWidth, c.autoWidth);
        memo->alignment = c.alignment;
        store.AppendObject(0, *memo);
        const report::View& view = store.ExpandPage(0).ObjectAt(0);
        EXPECT_EQ(view.left, c.left);
        EXPECT_EQ(view.width, c.width);
        EXPECT_EQ(view.height, c.height);
    }
}

TEST(PreparedPages, AShortTextObjectCostsFewBytes) {
    Bench bench;
    PreparedPages store(*bench.report);
    store.AppendPage(*bench.templatePage, 0);
    const size_t before = store.PageAt(0).pageData.size();
    auto memo = Memo("Equipe Alpha", 10, 20, 100, 18);
    memo->name = "Memo12";
    store.AppendObject(0, *memo);
    EXPECT_LE(store.PageAt(0).pageData.size() - before, 120u);
}

}  // namespace
