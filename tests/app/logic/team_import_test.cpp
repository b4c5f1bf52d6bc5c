// Team list import: the ";"-separated file and the saved page of the competition site.
#include "app/logic/team_import.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "app/logic/text_lines.h"
#include "report/core/base/errors.h"
#include "tests/app/logic/test_support.h"

namespace {

using app::TeamNames;
using app_test::TemporaryFolder;
using app_test::WriteFile;

const std::string kSaintEtienneUtf8 = "Saint-\xC3\x89tienne";
const std::string kSaintEtienne1252 = "Saint-\xC9tienne";

TEST(ImportCsvTest, FirstFieldOfEachLine) {
    struct Case {
        std::string content;
        TeamNames expected;
    };
    const Case cases[] = {
        {"0;x\r\n;x\r\n\r\nNantes\r\nBrest;12;x\r\n", {"Nantes", "Brest"}},
        {"Equipe;Ville\nNantes;Nantes\nNantes;Nantes\n", {"Equipe", "Nantes", "Nantes"}},
        {"A\rB\rC", {"A", "B", "C"}},
        {" Lyon ;x", {" Lyon "}},
        {"", {}},
        // Windows-1252 bytes stay as they are.
        {kSaintEtienne1252 + ";x\r\nN\xEEmes\r\n", {kSaintEtienne1252, "N\xEEmes"}},
        // Valid UTF-8 with accents is converted; a byte-order mark is dropped.
        {kSaintEtienneUtf8 + ";x\nN\xC3\xAEmes\n", {kSaintEtienne1252, "N\xEEmes"}},
        {"\xEF\xBB\xBFNantes;1\nBrest;2\n", {"Nantes", "Brest"}},
        {"\xEF\xBB\xBF" + kSaintEtienneUtf8 + "\n", {kSaintEtienne1252}},
        // A mixture that is not valid UTF-8 is left alone.
        {kSaintEtienneUtf8 + "\nN\xEEmes\n", {kSaintEtienneUtf8, "N\xEEmes"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.content);
        TeamNames teams = {"old"};
        app::ImportCsvText(c.content, teams);
        EXPECT_EQ(teams, c.expected);
    }
}

TEST(ImportTeamFileTest, ExtensionChoosesTheReader) {
    TemporaryFolder folder;
    const std::string csv = "Nantes;1\nBrest;2\n";
    for (const std::string name : {"equipes.csv", "EQUIPES.CSV", "equipes.Csv"}) {
        SCOPED_TRACE(name);
        WriteFile(folder.File(name), csv);
        TeamNames teams;
        app::ImportTeamFile(folder.File(name), teams);
        EXPECT_EQ(teams, (TeamNames{"Nantes", "Brest"}));
    }
    // Any other extension, or none, is a web page: without its marker it gives no team.
    for (const std::string name : {"equipes.htm", "equipes.html", "equipes", "equipes.csv.txt"}) {
        SCOPED_TRACE(name);
        WriteFile(folder.File(name), csv);
        TeamNames teams = {"old"};
        app::ImportTeamFile(folder.File(name), teams);
        EXPECT_TRUE(teams.empty());
    }
}

TEST(ImportTeamFileTest, FileExtension) {
    EXPECT_EQ(app::FileExtension("/a/b/equipes.CSV"), ".CSV");
    EXPECT_EQ(app::FileExtension("/a/b.d/equipes"), "");
    EXPECT_EQ(app::FileExtension("/a/b/.csv"), ".csv");
    EXPECT_EQ(app::FileExtension("x.tar.gz"), ".gz");
    EXPECT_EQ(app::FileExtension("x."), ".");
}

TEST(ImportTeamFileTest, UnreadableFileLeavesTheListAlone) {
    TemporaryFolder folder;
    TeamNames teams = {"Nantes"};
    for (const std::string name : {"absent.csv", "absent.htm"}) {
        try {
            app::ImportTeamFile(folder.File(name), teams);
            FAIL() << "no error";
        } catch (const report::FileOpenError& error) {
            EXPECT_EQ(std::string(error.what()),
                      "Impossible d'ouvrir le fichier " + folder.File(name));
        }
        EXPECT_EQ(teams, TeamNames{"Nantes"});
    }
}

// A page as the competition site saves it: heading, then one table row per team, the name six
// lines below the row start.
std::vector<std::string> Page(
    const std::vector<std::string>& names,
    const std::string& heading = "<h2>Liste des \xC3\xA9quipes du groupe</h2>") {
    std::vector<std::string> lines = {"<html>", "<body>", heading, "<table>"};
    for (size_t i = 0; i < names.size(); ++i) {
        lines.emplace_back(i == 0 ? app::kRowStartMarkerA : app::kRowStartMarkerB);
        lines.emplace_back("                        <td class=\"check\">");
        lines.emplace_back("                            <input type=\"checkbox\">");
        lines.emplace_back("                        </td>");
        lines.emplace_back("                        <td class=\"name\">");
        lines.emplace_back("                          <span>");
        lines.emplace_back("                            " + names[i]);
        lines.emplace_back("                          </span>");
        lines.emplace_back("                        </td>");
    }
    lines.emplace_back("                    </tr><!---->");
    lines.emplace_back("</table></body></html>");
    return lines;
}

TEST(ImportWebPageTest, MarkersHaveTheirLengths) {
    EXPECT_EQ(app::kGroupListMarker.size(), 24u);
    EXPECT_EQ(app::kRowStartMarkerA.size(), 165u);
    EXPECT_EQ(app::kRowStartMarkerB.size(), 170u);
    EXPECT_EQ(app::kRowStartMarkerA.find_first_not_of(' '), 20u);
    EXPECT_EQ(app::kRowStartMarkerB.find_first_not_of(' '), 20u);
}

TEST(ImportWebPageTest, TeamsOfTheGroup) {
    TeamNames teams = {"old"};
    app::ImportWebPageLines(Page({"AS Nancy&nbsp;", kSaintEtienneUtf8, "FC N\xC3\xAEmes  "}),
                            teams);
    EXPECT_EQ(teams, (TeamNames{"AS Nancy", kSaintEtienne1252, "FC N\xEEmes  "}));
}

TEST(ImportWebPageTest, RowStartsMustMatchWholeLines) {
    const std::string core(app::kRowStartMarkerA.substr(20));
    struct Case {
        std::string rowStart;
        bool counts;
    };
    const Case cases[] = {
        {std::string(20, ' ') + core, true},           {std::string(19, ' ') + core, false},
        {std::string(21, ' ') + core, false},          {std::string(20, ' ') + core + " ", false},
        {std::string(20, ' ') + core + "<td>", false}, {std::string(20, '\t') + core, false},
        {std::string(app::kRowStartMarkerB), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rowStart.size());
        std::vector<std::string> lines = Page({});
        lines.insert(lines.end() - 1, {c.rowStart, "1", "2", "3", "4", "5", "Nantes", "7"});
        TeamNames teams;
        app::ImportWebPageLines(lines, teams);
        EXPECT_EQ(teams, c.counts ? TeamNames{"Nantes"} : TeamNames{});
    }
}

TEST(ImportWebPageTest, GroupListMarker) {
    struct Case {
        std::string heading;
        bool found;
    };
    const Case cases[] = {
        {"<h2>Liste des \xC3\xA9quipes du groupe</h2>", true},
        {"Liste   des\xC3\xA9quipes du  groupe", true},
        {"ListedeséquipesdugroupeA", true},
        {"Liste des &eacute;quipes du groupe", false},
        {"Liste des \xE9quipes du groupe", false},
        {"Liste\tdes \xC3\xA9quipes du groupe", false},
        {"Liste des equipes du groupe", false},
        {"", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.heading);
        EXPECT_EQ(app::PageHasMarker({"a", c.heading, "b"}, app::kGroupListMarker), c.found);
        TeamNames teams = {"old"};
        app::ImportWebPageLines(Page({"Nantes"}, c.heading), teams);
        EXPECT_EQ(teams, c.found ? TeamNames{"Nantes"} : TeamNames{});
    }
    // The marker may stand after the table.
    std::vector<std::string> lines = Page({"Nantes"}, "<h2>Groupe</h2>");
    lines.push_back("Liste des \xC3\xA9quipes du groupe");
    TeamNames teams;
    app::ImportWebPageLines(lines, teams);
    EXPECT_EQ(teams, TeamNames{"Nantes"});
}

TEST(ImportWebPageTest, RowStartTooCloseToTheEndRaisesListIndexError) {
    std::vector<std::string> lines = Page({"Nantes", "Brest"});
    lines.resize(lines.size() - 2);  // drop the closing lines ...
    lines.emplace_back(app::kRowStartMarkerB);
    lines.emplace_back("1");
    lines.emplace_back("2");  // ... and end 4 lines short of the name line
    const size_t missing = lines.size() - 3 + 6;
    TeamNames teams;
    try {
        app::ImportWebPageLines(lines, teams);
        FAIL() << "no error";
    } catch (const report::ListIndexError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Indice de liste hors limites (" + std::to_string(missing) + ")");
    }
    EXPECT_EQ(teams, (TeamNames{"Nantes", "Brest"}));
}

TEST(CleanTeamNameTest, Cases) {
    struct Case {
        std::string line;
        std::string expected;
    };
    const Case cases[] = {
        {std::string(28, ' ') + kSaintEtienneUtf8, kSaintEtienne1252},
        {"AS Nancy&nbsp;", "AS Nancy"},
        {"A&B \xC3\xA9", "A\xE9"},
        {"  Paris FC  ", "Paris FC  "},
        {"Fran\xC3\xA7"
         "ais",
         "Fran\xE7"
         "ais"},
        {"\xC3\xA8\xC3\xAE\xC3\x89", "\xE8\xEE\xC9"},
        // Every UTF-8 letter that Windows-1252 holds keeps its letter.
        {"M\xC3\xBCnchen", "M\xFCnchen"},
        {"Ca\xC3\xA0n", "Ca\xE0n"},
        {"Saint-J\xC3\xA9r\xC3\xB4me", "Saint-J\xE9r\xF4me"},
        {"Ch\xC3\xA2lons", "Ch\xE2lons"},
        {"\xC3\x87"
         "a Va",
         "\xC7"
         "a Va"},
        {"C\xC5\x93ur Vaillant", "C\x9Cur Vaillant"},
        {"\xE2\x82\xAC Club", "\x80 Club"},
        {"L\xE2\x80\x99Isle", "L\x92Isle"},
        // A letter Windows-1252 lacks (Polish l with stroke, an emoji) shows as '?'.
        {"\xC5\x81\xC3\xB3"
         "d\xC5\xBA",
         "?\xF3"
         "d?"},
        {"Club \xF0\x9F\x8F\x86", "Club ?"},
        // After an "&", only a UTF-8 letter starts copying again.
        {"&amp; Lyon", ""},
        {"&amp;\xC3\xA9lan", "\xE9lan"},
        {"&\xC3\xBC"
         "Berlin",
         "\xFC"
         "Berlin"},
        {"&nbsp;\xC5\x93il", "\x9Cil"},
        // Bytes that are not UTF-8 (a page saved in Windows-1252) are kept as they are.
        {"N\xEEmes", "N\xEEmes"},
        {"A\xC3&B", "A\xC3"},
        {"A\xC3\xC3\xA9", "A\xC3\xE9"},
        {"\xC3", "\xC3"},
        {"\xE2\x82", "\xE2\x82"},
        {"", ""},
        {"     ", ""},
        {"\xC3 x", "\xC3 x"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(app::CleanTeamName(c.line), c.expected);
    }
    EXPECT_EQ(app::CleanTeamName(std::string(28, ' ') + kSaintEtienneUtf8).size(), 13u);
}

}  // namespace

namespace {

// The example lists laid out with the program load as their help document says.
TEST(ExampleListsTest, ShippedExamplesLoad) {
    const char* source = std::getenv("TOMBAGE_SOURCE_DIR");
    ASSERT_NE(source, nullptr);
    const std::string folder = std::string(source) + "/res/exemples/";
    TeamNames csv;
    app::ImportTeamFile(folder + "equipes_poule_a.csv", csv);
    EXPECT_EQ(csv, (TeamNames{"Union Sportive de Nantes", "Stade Brestois",
                              "Saint-\xC9tienne Vall\xE9"
                              "e",
                              "Olympique de N\xEEmes", "Entente de Metz", "Amicale Lilloise",
                              "Cercle Lyonnais", "Racing Club de Besan\xE7on"}));
    TeamNames page;
    app::ImportTeamFile(folder + "groupe_b.htm", page);
    EXPECT_EQ(page, (TeamNames{"AS Nancy", "Saint-\xC9tienne Forez",
                               "Union Vend\xE9"
                               "enne",
                               "Sporting Club de N\xEEmes", "\xC9toile Brestoise",
                               "Avenir de Besan\xE7on", "Cercle Sportif de Caen"}));
}

}  // namespace
