#include "report/core/designer/design_commands.h"

#include <gtest/gtest.h>

#include "report/core/designer/design_document.h"
#include "report/core/model/band_view.h"
#include "report/core/model/page.h"
#include "report/core/model/report.h"
#include "report/core/model/subreport_view.h"
#include "tests/report/core/designer/designer_fixture.h"

namespace report {
namespace {

using testing::DesignerTest;

IntRect Rect(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    return IntRect{left, top, right, bottom};
}

::testing::AssertionResult HasRect(const View& view, const IntRect& expected) {
    if (RectOf(view) == expected) return ::testing::AssertionSuccess();
    const IntRect r = RectOf(view);
    return ::testing::AssertionFailure()
           << view.name << " at " << r.left << "," << r.top << " - " << r.right << "," << r.bottom;
}

TEST_F(DesignerTest, EachKindIsInsertedNamedAndSelected) {
    const struct {
        ObjectKind kind;
        IntRect area;
        const char* className;
        IntRect rect;
        const char* name;
    } cases[] = {
        {ObjectKind::Text, Rect(16, 24, 216, 48), "MemoView", Rect(16, 24, 216, 48), "Memo1"},
        // A click gives the kind's usual size.
        {ObjectKind::Text, Rect(40, 40, 40, 40), "MemoView", Rect(40, 40, 140, 60), "Memo2"},
        {ObjectKind::Picture, Rect(8, 8, 8, 8), "PictureView", Rect(8, 8, 108, 108), "Picture1"},
        {ObjectKind::Line, Rect(8, 400, 8, 400), "LineView", Rect(8, 400, 108, 400), "Line1"},
        {ObjectKind::SubReport, Rect(0, 500, 0, 500), "SubReportView", Rect(0, 500, 200, 540),
         "SubReport1"},
    };
    DesignDocument document(state);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const size_t index = InsertObject(document, c.kind, c.area);
        const View& view = document.CurrentPage().ObjectAt(index);
        EXPECT_EQ(view.ClassName(), c.className);
        EXPECT_TRUE(HasRect(view, c.rect));
        EXPECT_EQ(view.name, c.name);
        EXPECT_EQ(document.Selection(), std::vector<size_t>{index});
    }
    // The sub-report prints a page of its own, made for it.
    const auto& subReport = static_cast<const SubReportView&>(document.CurrentPage().ObjectAt(4));
    EXPECT_EQ(document.GetReport().pages.Count(), 2u);
    EXPECT_EQ(subReport.subReportPage, 1);
}

TEST_F(DesignerTest, BandsStandInTheBandOrderAndNeverOverlap) {
    DesignDocument document(state);
    const IntRect printable = document.CurrentPage().PrintableArea();
    const struct {
        BandType type;
        int32_t height;  // 0: the usual height
    } inserted[] = {{BandType::MasterData, 24},
                    {BandType::PageFooter, 0},
                    {BandType::ReportTitle, 60},
                    {BandType::PageHeader, 0},
                    {BandType::MasterData, 0}};
    for (const auto& band : inserted)
        InsertObject(document, ObjectKind::Band, Rect(100, 300, 100, 300 + band.height), band.type);
    // From the top: title, page header, the two data bands (the later one below), page footer.
    const struct {
        size_t index;
        int32_t top;
        int32_t height;
    } expected[] = {{2, 0, 60}, {3, 60, 40}, {0, 100, 24}, {4, 124, 40}, {1, 164, 40}};
    for (const auto& e : expected) {
        SCOPED_TRACE(e.index);
        const View& band = document.CurrentPage().ObjectAt(e.index);
        EXPECT_TRUE(HasRect(band, Rect(printable.left, printable.top + e.top, printable.right,
                                       printable.top + e.top + e.height)));
    }
    EXPECT_EQ(static_cast<const BandView&>(document.CurrentPage().ObjectAt(2)).GetBandType(),
              BandType::ReportTitle);
}

TEST_F(DesignerTest, AnObjectOnABandMovesWithItAndStackingPushesTheBandsBelow) {
    DesignDocument document(state);
    Page& page = document.CurrentPage();
    const int32_t top = page.PrintableArea().top;
    const size_t title = InsertObject(document, ObjectKind::Band, {}, BandType::ReportTitle);
    const size_t data = InsertObject(document, ObjectKind::Band, {}, BandType::MasterData);
    const size_t onTitle =
        InsertObject(document, ObjectKind::Text, Rect(50, top + 10, 150, top + 30));
    const size_t onData =
        InsertObject(document, ObjectKind::Text, Rect(50, top + 50, 150, top + 70));
    // The title grows over the data band: the data band and its text move down.
    document.Select({title});
    ResizeSelection(document, Handle::Bottom, 0, 20);
    EXPECT_TRUE(StackBands(page));
    EXPECT_EQ(page.ObjectAt(data).top, top + 60);
    EXPECT_EQ(page.ObjectAt(onData).top, top + 70);
    EXPECT_EQ(page.ObjectAt(onTitle).top, top + 10);
    EXPECT_FALSE(StackBands(page));
    // Moving the data band takes its text along, not the title's.
    document.Select({data});
    MoveSelection(document, 0, 32);
    EXPECT_EQ(page.ObjectAt(onData).top, top + 102);
    EXPECT_EQ(page.ObjectAt(onTitle).top, top + 10);
}

TEST_F(DesignerTest, MovesAndResizesSnapToTheGrid) {
    const struct {
        const char* what;
        IntRect start;
        int32_t dx, dy, grid;
        IntRect moved;
    } moves[] = {
        {"on the grid", Rect(16, 16, 116, 36), 8, 8, 8, Rect(24, 24, 124, 44)},
        {"off the grid, to the nearest", Rect(13, 13, 113, 33), 10, 2, 8, Rect(24, 16, 124, 36)},
        {"no grid", Rect(13, 13, 113, 33), 1, -1, 0, Rect(14, 12, 114, 32)},
        {"back past zero", Rect(4, 4, 20, 20), -9, -9, 8, Rect(-8, -8, 8, 8)},
    };
    for (const auto& m : moves) {
        SCOPED_TRACE(m.what);
        DesignDocument document(state);
        InsertObject(document, ObjectKind::Text, m.start);
        int32_t dx = m.dx, dy = m.dy;
        SnapMove(document, m.grid, dx, dy);
        EXPECT_TRUE(MoveSelection(document, dx, dy));
        EXPECT_TRUE(HasRect(document.CurrentPage().ObjectAt(0), m.moved));
    }
    const struct {
        Handle handle;
        int32_t dx, dy;
        IntRect resized;
    } resizes[] = {
        {Handle::BottomRight, 8, 16, Rect(16, 16, 124, 52)},
        {Handle::TopLeft, -8, -8, Rect(8, 8, 116, 36)},
        {Handle::Left, 200, 5, Rect(116, 16, 116, 36)},  // no width below 0
        {Handle::Top, 0, 8, Rect(16, 24, 116, 36)},
        {Handle::Right, -40, 99, Rect(16, 16, 76, 36)},
    };
    for (const auto& r : resizes) {
        SCOPED_TRACE(static_cast<int>(r.handle));
        DesignDocument document(state);
        InsertObject(document, ObjectKind::Text, Rect(16, 16, 116, 36));
        EXPECT_TRUE(ResizeSelection(document, r.handle, r.dx, r.dy));
        EXPECT_TRUE(HasRect(document.CurrentPage().ObjectAt(0), r.resized));
    }
}

TEST_F(DesignerTest, RestrictionsKeepObjectsAsTheyAre) {
    const struct {
        uint16_t restrictions;
        bool moves, resizes, deleted;
    } cases[] = {
        {0, true, true, true},
        {restriction::kNotMovable, false, true, true},
        {restriction::kNotResizable, true, false, true},
        {restriction::kNotDeletable, true, true, false},
        {restriction::kNotMovable | restriction::kNotResizable | restriction::kNotDeletable, false,
         false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.restrictions);
        DesignDocument document(state);
        InsertObject(document, ObjectKind::Text, Rect(16, 16, 116, 36));
        InsertObject(document, ObjectKind::Text, Rect(16, 100, 116, 120));
        document.CurrentPage().ObjectAt(0).restrictions = c.restrictions;
        document.Select({0, 1});
        MoveSelection(document, 8, 8);
        ResizeSelection(document, Handle::BottomRight, 8, 8);
        const View& restricted = document.CurrentPage().ObjectAt(0);
        const View& free = document.CurrentPage().ObjectAt(1);
        EXPECT_EQ(restricted.left, c.moves ? 24 : 16);
        EXPECT_EQ(restricted.width, c.resizes ? 108 : 100);
        EXPECT_TRUE(HasRect(free, Rect(24, 108, 132, 136))) << "the others change";
        EXPECT_EQ(DeleteSelection(document), c.deleted ? 2u : 1u);
        EXPECT_EQ(document.CurrentPage().ObjectCount(), c.deleted ? 0u : 1u);
        EXPECT_EQ(document.Selection().size(), c.deleted ? 0u : 1u);
    }
}

TEST_F(DesignerTest, AlignmentsSizesAndOrder) {
    const struct {
        Alignment alignment;
        int32_t left, top;
    } aligned[] = {
        {Alignment::Lefts, 10, 200},
        {Alignment::Rights, 70, 200},
        {Alignment::Tops, 300, 10},
        {Alignment::Bottoms, 300, 30},
        {Alignment::HorizontalCentres, 40, 200},
        {Alignment::VerticalCentres, 300, 20},
    };
    for (const auto& a : aligned) {
        SCOPED_TRACE(static_cast<int>(a.alignment));
        DesignDocument document(state);
        InsertObject(document, ObjectKind::Text, Rect(10, 10, 110, 50));
        InsertObject(document, ObjectKind::Text, Rect(300, 200, 340, 220));
        document.Select({0, 1});
        EXPECT_TRUE(AlignSelection(document, a.alignment));
        EXPECT_EQ(document.CurrentPage().ObjectAt(1).left, a.left);
        EXPECT_EQ(document.CurrentPage().ObjectAt(1).top, a.top);
    }
    DesignDocument document(state);
    InsertObject(document, ObjectKind::Text, Rect(10, 10, 110, 50));
    InsertObject(document, ObjectKind::Text, Rect(300, 200, 340, 220));
    InsertObject(document, ObjectKind::Line, Rect(0, 0, 50, 0));
    document.Select({0, 1});
    EXPECT_TRUE(SameSize(document, true, false));
    EXPECT_TRUE(HasRect(document.CurrentPage().ObjectAt(1), Rect(300, 200, 400, 220)));
    document.Select({1});
    BringToFront(document);
    EXPECT_EQ(document.CurrentPage().ObjectAt(2).name, "Memo2");
    EXPECT_EQ(document.Selection(), std::vector<size_t>{2});
    SendToBack(document);
    EXPECT_EQ(document.CurrentPage().ObjectAt(0).name, "Memo2");
    EXPECT_EQ(document.CurrentPage().ObjectAt(1).name, "Memo1");
    EXPECT_EQ(document.CurrentPage().ObjectAt(2).name, "Line1");
    SelectNext(document, false);
    EXPECT_EQ(document.Selection(), std::vector<size_t>{1});
    SelectNext(document, true);
    SelectNext(document, true);
    EXPECT_EQ(document.Selection(), std::vector<size_t>{2});
}

TEST_F(DesignerTest, HitTestsFindTheTopObjectBeforeBandsAndTheHandles) {
    DesignDocument document(state);
    Page& page = document.CurrentPage();
    const int32_t top = page.PrintableArea().top;
    InsertObject(document, ObjectKind::Band, {}, BandType::MasterData);
    InsertObject(document, ObjectKind::Text, Rect(50, top + 5, 150, top + 25));
    InsertObject(document, ObjectKind::Text, Rect(100, top + 5, 200, top + 25));
    InsertObject(document, ObjectKind::Line, Rect(300, top + 30, 400, top + 30));
    const struct {
        int32_t x, y;
        std::optional<size_t> found;
    } points[] = {{60, top + 10, 1},
                  {120, top + 10, 2},
                  {250, top + 10, 0},
                  {350, top + 32, 3},
                  {350, top + 200, std::nullopt}};
    for (const auto& p : points) {
        SCOPED_TRACE(p.x);
        EXPECT_EQ(ObjectAt(page, p.x, p.y, 3), p.found);
    }
    EXPECT_EQ(ObjectsTouching(page, Rect(140, top + 6, 160, top + 8)),
              (std::vector<size_t>{0, 1, 2}));
    const IntRect r = Rect(10, 10, 110, 50);
    EXPECT_EQ(HandleAt(r, 110, 50, 3), Handle::BottomRight);
    EXPECT_EQ(HandleAt(r, 61, 9, 3), Handle::Top);
    EXPECT_EQ(HandleAt(r, 60, 30, 3), Handle::None);
}

}  // namespace
}  // namespace report
