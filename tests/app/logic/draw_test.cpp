// The draw: random generator, labels, the order in which the grid fills, row counts, scrolling,
// the results file it leaves, and its failures.
#include "app/logic/draw_procedure.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "app/logic/results_file.h"
#include "report/core/base/errors.h"
#include "tests/app/logic/test_support.h"

namespace {

using app::DrawMode;
using app::TeamNames;
using app_test::InstantPacer;
using app_test::MemoryGrid;
using app_test::ReadFile;
using app_test::TemporaryFolder;

TEST(RandomGeneratorTest, LinearCongruentialPicks) {
    app::RandomGenerator random(0);
    struct Step {
        uint32_t range, pick, seed;
    };
    const Step steps[] = {{10, 0, 1u},
                          {10, 0, 134775814u},
                          {10, 8, 3698175007u},
                          {1000, 202, 870078620u},
                          {4294967295u, 1172187916u, 1172187917u}};
    for (const Step& step : steps) {
        EXPECT_EQ(random.Pick(step.range), step.pick);
        EXPECT_EQ(random.Seed(), step.seed);
    }
    app::RandomGenerator one(987654321);
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(one.Pick(1), 0u);
}

TEST(RandomGeneratorTest, SeedIsTheMillisecondsOfTheUtcDay) {
    EXPECT_EQ(app::RandomGenerator::SeedFromTimeOfDay(0), 0u);
    EXPECT_EQ(app::RandomGenerator::SeedFromTimeOfDay(((13 * 60 + 45) * 60 + 30) * 1000 + 250),
              49530250u);
    EXPECT_EQ(app::RandomGenerator::SeedFromTimeOfDay(86'399'999), 86'399'999u);
}

TEST(MatchLabelTest, Labels) {
    struct Case {
        DrawMode mode;
        int row;
        std::string label;
    };
    const Case cases[] = {
        {DrawMode::dmPlain, 1, "001"},      {DrawMode::dmPlain, 6, "006"},
        {DrawMode::dmPlain, 10, "010"},     {DrawMode::dmPlain, 99, "099"},
        {DrawMode::dmPlain, 100, "100"},    {DrawMode::dmPlain, 1234, "1234"},
        {DrawMode::dmRepechage, 1, "01A"},  {DrawMode::dmRepechage, 2, "01B"},
        {DrawMode::dmRepechage, 3, "02A"},  {DrawMode::dmRepechage, 6, "03B"},
        {DrawMode::dmRepechage, 19, "10A"}, {DrawMode::dmRepechage, 199, "100A"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        EXPECT_EQ(app::LabelOfRow(c.mode, c.row), c.label);
    }
    EXPECT_EQ(app::MatchLabel(DrawMode::dmRepechage, 7, 2), "07B");
    EXPECT_EQ(app::MatchLabel(DrawMode::dmPlain, 7, 2), "007");
}

TeamNames Teams(int n) {
    TeamNames teams;
    for (int i = 1; i <= n; ++i)
        teams.push_back("Equipe " + std::to_string(i));
    return teams;
}

class DrawTest : public ::testing::Test {
  protected:
    TemporaryFolder folder;
    std::string path = folder.File("tombage.DBP");
    MemoryGrid grid{50};
    InstantPacer pacer;
};

TEST_F(DrawTest, EveryTeamCountAndMode) {
    for (const int n : {1, 2, 5, 6, 19, 20, 40}) {
        for (const DrawMode mode : {DrawMode::dmPlain, DrawMode::dmRepechage}) {
            SCOPED_TRACE("n=" + std::to_string(n) +
                         (mode == DrawMode::dmPlain ? " plain" : " rep"));
            MemoryGrid grid(50);
            grid.SetCell(0, 0, "Equipe recevante");
            InstantPacer pacer;
            int rowCountDuringDraw = -1;
            pacer.onProcessEvents = [&] {
                if (rowCountDuringDraw < 0) rowCountDuringDraw = grid.RowCount();
            };
            TeamNames teams = Teams(n);
            app::RandomGenerator random(424242);
            // What the generator picks, replayed on a copy of the list.
            app::RandomGenerator replay(424242);
            TeamNames remaining = teams;
            std::vector<std::string> picked;
            while (!remaining.empty()) {
                const auto k = replay.Pick(static_cast<uint32_t>(remaining.size()));
                picked.push_back(remaining[k]);
                remaining.erase(remaining.begin() + k);
            }

            app::DrawMatches(mode, teams, grid, random, pacer, path);

            EXPECT_TRUE(teams.empty());
            EXPECT_EQ(random.Seed(), replay.Seed());
            EXPECT_EQ(rowCountDuringDraw, n / 2 + 2);
            EXPECT_EQ(pacer.processed, n);
            EXPECT_EQ(pacer.pauses, std::vector<int>(static_cast<size_t>(n), 1987));
            // Scrolled when rows 10, 20 ... became the next row.
            std::vector<int> scrolls;
            for (int row = 10; row <= n / 2 + 1; row += 10)
                scrolls.push_back(row - 1);
            EXPECT_EQ(grid.scrolledAfterRow, scrolls);

            const int matches = (n + 1) / 2;
            ASSERT_EQ(grid.RowCount(), matches + 1);
            EXPECT_EQ(grid.Cell(0, 0), "Equipe recevante");
            std::string expectedFile;
            for (int row = 1; row <= matches; ++row) {
                const std::string home = picked[static_cast<size_t>(2 * row - 2)];
                const size_t awayIndex = static_cast<size_t>(2 * row - 1);
                const std::string away = awayIndex < picked.size() ? picked[awayIndex] : "";
                EXPECT_EQ(grid.Cell(0, row), home);
                EXPECT_EQ(grid.Cell(1, row), away.empty() ? "0" : away);
                EXPECT_EQ(grid.Cell(2, row), app::LabelOfRow(mode, row));
                expectedFile += home + ";" + away + ";" + app::LabelOfRow(mode, row) + ";\r\n";
            }
            EXPECT_EQ(ReadFile(path), expectedFile);
        }
    }
}

TEST_F(DrawTest, CellsFillInOrderDuringTheDraw) {
    TeamNames teams = Teams(5);
    app::RandomGenerator random(7);
    std::vector<std::string> snapshots;
    pacer.onProcessEvents = [&] {
        std::string shown;
        for (int row = 1; row < grid.RowCount(); ++row) {
            for (int c = 0; c < 3; ++c)
                shown += grid.Cell(c, row).empty() ? "." : "x";
            shown += "|";
        }
        snapshots.push_back(shown);
    };
    for (int row = 1; row < 50; ++row)
        grid.SetCell(0, row, "old");
    app::DrawMatches(DrawMode::dmPlain, teams, grid, random, pacer, path);
    // Before each pick: row 1 col 0 with its label, row 1 col 1, row 2 col 0 ...; the spare row
    // stays empty.
    const std::vector<std::string> expected = {"...|...|...|", "x.x|...|...|", "xxx|...|...|",
                                               "xxx|x.x|...|", "xxx|xxx|...|"};
    EXPECT_EQ(snapshots, expected);
}

TEST_F(DrawTest, FixedSeedGivesTheKnownDraw) {
    const TeamNames five = {"Nantes", "Brest", "Metz", "Lille", "Lyon"};
    struct Case {
        DrawMode mode;
        TeamNames teams;
        std::string file;
        uint32_t seedAfter;
    };
    const Case cases[] = {
        {DrawMode::dmPlain, five, "Brest;Metz;001;\r\nNantes;Lyon;002;\r\nLille;;003;\r\n",
         2721613530u},
        {DrawMode::dmRepechage, five, "Brest;Metz;01A;\r\nNantes;Lyon;01B;\r\nLille;;02A;\r\n",
         2721613530u},
        {DrawMode::dmRepechage,
         {"Nantes", "Brest", "Metz", "Lille", "Lyon", "Caen"},
         "Metz;Brest;01A;\r\nNantes;Lyon;01B;\r\nCaen;Lille;02A;\r\n",
         1467157059u},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        TeamNames teams = c.teams;
        app::RandomGenerator random(12345);
        MemoryGrid grid(50);
        app::DrawMatches(c.mode, teams, grid, random, pacer, path);
        EXPECT_EQ(ReadFile(path), c.file);
        EXPECT_EQ(random.Seed(), c.seedAfter);
        EXPECT_EQ(grid.RowCount(), 4);
    }
}

TEST_F(DrawTest, SameSeedSameDrawAndTheSequenceContinues) {
    app::RandomGenerator first(99), second(99);
    TeamNames a = Teams(12), b = Teams(12);
    MemoryGrid gridB(50);
    app::DrawMatches(DrawMode::dmPlain, a, grid, first, pacer, path);
    const std::string firstFile = ReadFile(path);
    app::DrawMatches(DrawMode::dmPlain, b, gridB, second, pacer, path);
    EXPECT_EQ(ReadFile(path), firstFile);
    // A second draw in the same run goes on from where the first left the seed.
    TeamNames again = Teams(12);
    app::DrawMatches(DrawMode::dmPlain, again, grid, first, pacer, path);
    EXPECT_NE(first.Seed(), 99u);
    EXPECT_EQ(first.Seed(), [] {
        app::RandomGenerator r(99);
        for (int remaining = 12; remaining > 0; --remaining)
            r.Pick(static_cast<uint32_t>(remaining));
        for (int remaining = 12; remaining > 0; --remaining)
            r.Pick(static_cast<uint32_t>(remaining));
        return r.Seed();
    }());
}

TEST_F(DrawTest, EntriesArePlacedUpToTheirFirstSeparator) {
    TeamNames teams = {"Nantes;44;x", ""};
    app::RandomGenerator random(1);
    app::DrawMatches(DrawMode::dmPlain, teams, grid, random, pacer, path);
    const std::string file = ReadFile(path);
    EXPECT_TRUE(file == "Nantes;0;001;\r\n" || file == "0;Nantes;001;\r\n") << file;
}

TEST_F(DrawTest, FailedSaveKeepsTheDrawAsDrawn) {
    TeamNames teams = Teams(3);
    app::RandomGenerator random(5);
    const std::string unwritable = folder.File("absent/tombage.DBP");
    EXPECT_THROW(app::DrawMatches(DrawMode::dmPlain, teams, grid, random, pacer, unwritable),
                 report::FileCreateError);
    EXPECT_TRUE(teams.empty());
    EXPECT_EQ(grid.RowCount(), 3);  // not reloaded: the spare row stays
    EXPECT_FALSE(grid.Cell(0, 2).empty());
    EXPECT_EQ(grid.Cell(1, 2), "");  // the bye is empty, not "0"
    EXPECT_EQ(grid.Cell(2, 2), "002");
}

TEST_F(DrawTest, EmptyTeamListPicksNothing) {
    TeamNames teams;
    app::RandomGenerator random(5);
    grid.SetCell(0, 1, "kept");
    app::DrawMatches(DrawMode::dmRepechage, teams, grid, random, pacer, path);
    EXPECT_EQ(random.Seed(), 5u);
    EXPECT_EQ(grid.RowCount(), 50);
    EXPECT_EQ(grid.Cell(0, 1), "kept");
    EXPECT_EQ(pacer.processed, 0);
    EXPECT_FALSE(app_test::FileExists(path));
}

}  // namespace
