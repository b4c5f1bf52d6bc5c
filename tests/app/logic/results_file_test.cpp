// Field splitting, line splitting and the results file "tombage.DBP".
#include "app/logic/results_file.h"

#include <gtest/gtest.h>

#include "app/logic/file_io.h"
#include "app/logic/globals.h"
#include "report/core/base/errors.h"
#include "tests/app/logic/test_support.h"

namespace {

using app_test::MemoryGrid;
using app_test::ReadFile;
using app_test::TemporaryFolder;
using app_test::WriteFile;

TEST(ExtractFieldTest, FieldsTable) {
    struct Case {
        std::string line;
        int n;
        std::string expected;
    };
    const Case cases[] = {
        {"Nantes;Brest;001;", 0, "Nantes"},
        {"Nantes;Brest;001;", 1, "Brest"},
        {"Nantes;Brest;001;", 2, "001"},
        {"Nantes;Brest;001;", 3, "0"},
        {"Lyon;;003;", 1, "0"},
        {"Lyon", 0, "Lyon"},
        {"Lyon", 2, "0"},
        {" Lyon ;x", 0, " Lyon "},
        {"", 0, "0"},
        {"", 5, "0"},
        {";;;", 0, "0"},
        {";;;", 2, "0"},
        {"0;x", 0, "0"},
        {"\"a;b\";c", 1, "b\""},
        {"Saint-\xC9tienne;N\xEEmes;", 1, "N\xEEmes"},
        {"a;b", -1, "0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line + " / " + std::to_string(c.n));
        EXPECT_EQ(app::ExtractField(c.line, c.n), c.expected);
    }
}

class ResultsFileTest : public ::testing::Test {
  protected:
    TemporaryFolder folder;
    std::string path = folder.File("tombage.DBP");
};

TEST_F(ResultsFileTest, SaveWritesFilledRowsWithCrLf) {
    MemoryGrid grid(6);
    grid.SetCell(0, 0, "Equipe recevante");  // the header is never written
    const std::vector<std::array<std::string, 3>> rows = {{"Nantes", "Brest", "001"},
                                                          {"", "Lille", "002"},
                                                          {"Metz", "Lille", "003"},
                                                          {"Lyon", "", "004"}};
    for (size_t r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < 3; ++c)
            grid.SetCell(c, static_cast<int>(r) + 1, rows[r][c]);
    }
    app::SaveResults(grid, path);
    EXPECT_EQ(ReadFile(path), "Nantes;Brest;001;\r\nMetz;Lille;003;\r\nLyon;;004;\r\n");
    EXPECT_EQ(app_test::FolderEntries(folder.Path()), std::vector<std::string>{"tombage.DBP"});
}

TEST_F(ResultsFileTest, SaveKeepsWindows1252BytesAndReloadGivesThemBack) {
    MemoryGrid grid(3);
    grid.SetCell(0, 1, "Saint-\xC9tienne");
    grid.SetCell(1, 1, "N\xEEmes \x80");
    grid.SetCell(2, 1, "001");
    app::SaveResults(grid, path);
    EXPECT_EQ(ReadFile(path), "Saint-\xC9tienne;N\xEEmes \x80;001;\r\n");
    MemoryGrid reloaded(50);
    app::LoadResults(reloaded, path);
    EXPECT_EQ(reloaded.RowCount(), 2);
    EXPECT_EQ(reloaded.Cell(0, 1), "Saint-\xC9tienne");
    EXPECT_EQ(reloaded.Cell(1, 1), "N\xEEmes \x80");
}

TEST_F(ResultsFileTest, LoadFillsEveryCellAndSizesTheGrid) {
    struct Case {
        std::string content;
        int rowCount;
        std::vector<std::array<std::string, 3>> rows;
    };
    const Case cases[] = {
        {"", 1, {}},
        {"Nantes;Brest;001;\r\nMetz;Lille;002;\r\nLyon;;003;\r\n",
         4,
         {{"Nantes", "Brest", "001"}, {"Metz", "Lille", "002"}, {"Lyon", "0", "003"}}},
        {"A;B;001;\nC;D;002;\n", 3, {{"A", "B", "001"}, {"C", "D", "002"}}},
        {"A;B;001;\rC;D;002;", 3, {{"A", "B", "001"}, {"C", "D", "002"}}},
        {"A;B;001;\r\n\r\nC;D;002;\r\n",
         4,
         {{"A", "B", "001"}, {"0", "0", "0"}, {"C", "D", "002"}}},
        {"A;B;001;x;y\r\nC\r\n", 3, {{"A", "B", "001"}, {"C", "0", "0"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.content);
        WriteFile(path, c.content);
        MemoryGrid grid(50);
        grid.SetCell(0, 0, "Equipe recevante");
        app::LoadResults(grid, path);
        ASSERT_EQ(grid.RowCount(), c.rowCount);
        EXPECT_EQ(grid.Cell(0, 0), "Equipe recevante");
        for (size_t r = 0; r < c.rows.size(); ++r) {
            for (int col = 0; col < 3; ++col) {
                EXPECT_EQ(grid.Cell(col, static_cast<int>(r) + 1), c.rows[r][col])
                    << r << "," << col;
            }
        }
    }
}

TEST_F(ResultsFileTest, RoundTripGivesTheSameFile) {
    const std::string content = "Nantes;Brest;01A;\r\nMetz;Lille;01B;\r\nLyon;0;02A;\r\n";
    WriteFile(path, content);
    MemoryGrid grid;
    app::LoadResults(grid, path);
    app::SaveResults(grid, path);
    EXPECT_EQ(ReadFile(path), content);
}

TEST_F(ResultsFileTest, MissingFileRaisesOpenErrorWithFullPathAndKeepsGrid) {
    MemoryGrid grid(50);
    grid.SetCell(0, 3, "kept");
    try {
        app::LoadResults(grid, path);
        FAIL() << "no error";
    } catch (const report::FileOpenError& error) {
        EXPECT_EQ(std::string(error.what()), "Impossible d'ouvrir le fichier " + path);
    }
    EXPECT_EQ(grid.RowCount(), 50);
    EXPECT_EQ(grid.Cell(0, 3), "kept");
    // A folder in place of the file is no better.
    EXPECT_THROW(app::LoadResults(grid, folder.Path()), report::FileOpenError);
}

TEST_F(ResultsFileTest, FailedSaveRaisesCreateErrorAndKeepsTheFormerFile) {
    const std::string former = "Nantes;Brest;001;\r\n";
    WriteFile(path, former);
    MemoryGrid grid(202);
    for (int row = 1; row < 202; ++row) {
        grid.SetCell(0, row, "Une equipe au nom assez long");
        grid.SetCell(1, row, "Une autre equipe");
        grid.SetCell(2, row, app::ExtractField(std::to_string(row), 0));
    }
    {
        app_test::FileSizeLimit limit(256);
        try {
            app::SaveResults(grid, path);
            FAIL() << "no error";
        } catch (const report::FileCreateError& error) {
            EXPECT_EQ(std::string(error.what()),
                      "Impossible de cr\xE9"
                      "er le fichier " +
                          path);
        }
    }
    EXPECT_EQ(ReadFile(path), former);
    EXPECT_EQ(app_test::FolderEntries(folder.Path()), std::vector<std::string>{"tombage.DBP"});
}

TEST_F(ResultsFileTest, SaveIntoAMissingFolderFails) {
    MemoryGrid grid(2);
    grid.SetCell(0, 1, "A");
    EXPECT_THROW(app::SaveResults(grid, folder.File("absent/tombage.DBP")),
                 report::FileCreateError);
}

TEST_F(ResultsFileTest, PathIsProgramFolderAndName) {
    app::SetProgramFolder("/opt/tombage");
    EXPECT_EQ(app::ResultsFilePath(), "/opt/tombage/tombage.DBP");
    app::SetProgramFolder("/opt/tombage/");
    EXPECT_EQ(app::ResultsFilePath(), "/opt/tombage/tombage.DBP");
}

}  // namespace
