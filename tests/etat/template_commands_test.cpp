#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "tests/fixtures/fixture_bytes.h"
#include "tools/etat/command.h"

namespace {

int RunCommand(const std::string& name, const std::vector<std::string>& args) {
    for (const etat::CommandInfo& command : etat::Commands()) {
        if (command.name == name) return command.run(args);
    }
    ADD_FAILURE() << "no command " << name;
    return -1;
}

// Names of this test's own: other tests of the tree run at the same time in the same folder.
std::string Temp(const std::string& name) {
    return ::testing::TempDir() + "/etat_template_commands_" + name;
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

std::string Dump(const std::string& path, int* status = nullptr) {
    ::testing::internal::CaptureStdout();
    const int result = RunCommand("dump", {path});
    if (status != nullptr) *status = result;
    return ::testing::internal::GetCapturedStdout();
}

TEST(TemplateCommands, ConvertWritesWhatTheRulesImply) {
    for (const fixtures::Fixture& fixture : fixtures::AllFixtures()) {
        if (fixture.converted.empty()) continue;
        SCOPED_TRACE(fixture.fileName);
        const std::string in = Temp(fixture.fileName);
        const std::string out = Temp("converti.etf");
        WriteFile(in, fixture.bytes);
        ASSERT_EQ(RunCommand("convert", {in, out}), 0);
        EXPECT_EQ(ReadFile(out), fixture.converted);
        // A version-24 file written by the engine comes back byte for byte.
        ASSERT_EQ(RunCommand("convert", {out, out + "2"}), 0);
        EXPECT_EQ(ReadFile(out + "2"), fixture.converted);
    }
}

TEST(TemplateCommands, CompileOfDumpGivesTheSameBytes) {
    for (const fixtures::Fixture& fixture : fixtures::AllFixtures()) {
        if (fixture.converted.empty()) continue;
        SCOPED_TRACE(fixture.fileName);
        const std::string etf = Temp("modele.etf");
        WriteFile(etf, fixture.converted);
        const std::string json = Dump(etf);
        ASSERT_FALSE(json.empty());
        WriteFile(Temp("modele.json"), json);
        ASSERT_EQ(RunCommand("compile", {Temp("modele.json"), Temp("recompile.etf")}), 0);
        EXPECT_EQ(ReadFile(Temp("recompile.etf")), fixture.converted);
    }
}

TEST(TemplateCommands, CompileFillsDefaults) {
    WriteFile(Temp("court.json"), R"({
  "pages": [ { "objects": [
    { "class": "BandView", "bandType": "MasterData", "top": 40, "height": 20 },
    { "class": "MemoView", "left": 10, "width": 100, "height": 18, "memo": ["Équipe [joueur1]"],
      "fillColor": "0x00FFFF00", "visible": false }
  ] } ],
  "dictionary": { "variables": [[" Tirage", ""], ["Num", "1"]] }
})");
    ASSERT_EQ(RunCommand("compile", {Temp("court.json"), Temp("court.etf")}), 0);
    const std::string json = Dump(Temp("court.etf"));
    EXPECT_NE(json.find("\"name\": \"Page1\""), std::string::npos);
    EXPECT_NE(json.find("\"name\": \"Band1\""), std::string::npos);
    EXPECT_NE(json.find("\"name\": \"Memo1\""), std::string::npos);
    EXPECT_NE(json.find("\"flags\": 67"), std::string::npos);
    EXPECT_NE(json.find("\u00c9quipe [joueur1]"), std::string::npos);
    EXPECT_NE(json.find("\"fillColor\": \"0x00FFFF00\""), std::string::npos);
    EXPECT_NE(json.find("\"visible\": 0,"), std::string::npos);
    const std::string etf = ReadFile(Temp("court.etf"));
    EXPECT_NE(etf.find("\xC9quipe"), std::string::npos);  // Windows-1252 in the template
}

TEST(TemplateCommands, BadInputFails) {
    struct Case {
        const char* json;
        const char* message;
    } cases[] = {
        {"{ \"pages\": [ }", "ligne 1, colonne 14"},
        {"{ \"pages\": [ { \"objects\": [ { \"class\": \"Bouton\" } ] } ] }", "classe inconnue"},
        {"{ \"pages\": [ { \"size\": \"A4\" } ] }", "pages[0].size"},
        {"{ \"pagse\": [] }", "membre inconnu"},
        {"{ \"pages\": [ { \"objects\": [ { \"class\": \"MemoView\", \"left\": 99999999999 } ] } ] "
         "}",
         "left"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.json);
        WriteFile(Temp("mauvais.json"), c.json);
        try {
            RunCommand("compile", {Temp("mauvais.json"), Temp("mauvais.etf")});
            ADD_FAILURE() << "no error";
        } catch (const std::exception& error) {
            EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
        }
    }
    int status = 0;
    for (const char* name : {"v25.etf", "v24_unknown_addin.etf", "v24_bad_section.etf"}) {
        SCOPED_TRACE(name);
        for (const fixtures::Fixture& fixture : fixtures::AllFixtures()) {
            if (fixture.fileName == name) WriteFile(Temp(name), fixture.bytes);
        }
        ::testing::internal::CaptureStderr();
        Dump(Temp(name), &status);
        EXPECT_EQ(status, 1);
        EXPECT_NE(::testing::internal::GetCapturedStderr().find("Erreur"), std::string::npos);
        EXPECT_EQ(RunCommand("convert", {Temp(name), Temp("x.etf")}), 1);
    }
    EXPECT_THROW(RunCommand("convert", {Temp("absent.etf"), Temp("x.etf")}), std::exception);
}

}  // namespace
