#include "report/core/base/engine_strings.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "report/core/base/text.h"

namespace report {
namespace {

struct SourceLine {
    int number = 0;  // 1-based line number in res/strings.txt
    std::string key;
    std::string text;  // UTF-8, escapes kept as written
};

// Reads res/strings.txt itself, so that a duplicate key (which the loader silently lets the
// last one win) or a line the loader skips is seen here.
std::vector<SourceLine> ReadSourceTable(std::vector<std::string>* malformed) {
    const char* source_dir = std::getenv("TOMBAGE_SOURCE_DIR");
    if (source_dir == nullptr) {
        ADD_FAILURE() << "TOMBAGE_SOURCE_DIR is not set";
        return {};
    }
    std::ifstream in(std::string(source_dir) + "/res/strings.txt", std::ios::binary);
    if (!in) {
        ADD_FAILURE() << "cannot open res/strings.txt under " << source_dir;
        return {};
    }
    std::vector<SourceLine> lines;
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line.front() == '#') continue;
        const size_t equals = line.find('=');
        if (equals == std::string::npos || equals == 0 || line.find_first_of(" \t") < equals) {
            malformed->push_back(std::to_string(number) + ": " + line);
            continue;
        }
        lines.push_back({number, line.substr(0, equals), line.substr(equals + 1)});
    }
    return lines;
}

// Placeholders are %s and %d only (and %% for a percent sign); a '%' followed by anything
// else is a plain character, as in "100%".
bool HasOnlyKnownPlaceholders(const std::string& text) {
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '%') continue;
        const char next = text[i + 1];
        if (next == '%') {
            ++i;
            continue;
        }
        const bool letter = (next >= 'a' && next <= 'z') || (next >= 'A' && next <= 'Z');
        if (letter && next != 's' && next != 'd') return false;
    }
    return true;
}

TEST(EngineStrings, SourceTableIsWellFormed) {
    std::vector<std::string> malformed;
    const std::vector<SourceLine> lines = ReadSourceTable(&malformed);
    ASSERT_FALSE(lines.empty());
    EXPECT_TRUE(malformed.empty())
        << "lines without key=text: " << ::testing::PrintToString(malformed);

    std::map<std::string, int> first_line_of_key;
    for (const SourceLine& line : lines) {
        SCOPED_TRACE("res/strings.txt:" + std::to_string(line.number) + " " + line.key);
        auto [it, inserted] = first_line_of_key.emplace(line.key, line.number);
        EXPECT_TRUE(inserted) << "duplicate key, first on line " << it->second;

        ASSERT_TRUE(IsValidUtf8(line.text));
        // Every text must survive the trip to Windows-1252 (no '?' stand-ins).
        EXPECT_EQ(Cp1252ToUtf8(Utf8ToCp1252(line.text)), line.text);
        EXPECT_TRUE(HasOnlyKnownPlaceholders(line.text));

        // The compiled-in table answers exactly what the file says.
        EXPECT_TRUE(HasEngineText(line.key));
        if (line.text.find('\\') == std::string::npos) {
            EXPECT_EQ(EngineText(std::string_view(line.key)), Utf8ToCp1252(line.text));
        }
    }
}

TEST(EngineStrings, NumberedRangesAreComplete) {
    struct Range {
        const char* what;
        int first;
        int count;
    };
    const Range ranges[] = {
        {"paper names", text_id::kFirstPaperName, 67},
        {"band names", text_id::kFirstBandName, 23},
    };
    for (const Range& range : ranges) {
        SCOPED_TRACE(range.what);
        for (int n = range.first; n < range.first + range.count; ++n) {
            SCOPED_TRACE(n);
            EXPECT_TRUE(HasEngineText(std::to_string(n)));
            EXPECT_FALSE(EngineText(n).empty());
        }
        // One past the end is not part of the range: catches a shifted table.
        EXPECT_FALSE(HasEngineText(std::to_string(range.first + range.count)));
    }
    for (int tag = 200; tag <= 207; ++tag) {
        SCOPED_TRACE(tag);
        EXPECT_TRUE(HasEngineText("preview.help." + std::to_string(tag)));
    }
}

TEST(EngineStrings, ExactTexts) {
    struct Case {
        const char* key;
        const char* text;  // Windows-1252 bytes
    };
    const Case cases[] = {
        {"55001", "Annuler"},
        {"55206", "Erreur"},
        {"55228", "[Image]"},
        {"55337", "1"},
        {"55008", "Letter, 8 1/2 x 11\""},
        {"55016", "A4 210 x 297 mm"},                 // row 8, paper code 9
        {"55027", "#10 Envelope, 4 1/8  x 9 1/2\""},  // two blanks, as the drivers spell it
        {"55036", "C3 Envelope,  324 x 458 mm"},
        {"55073", "A3 Extra Transverse 322 x 445 mm"},  // last standard paper, code 68
        {"55074", "Personalis\xE9"},                    // custom size, code 256
        {"55077", "Titre de l'\xE9tat"},
        {"55090", "Couverture"},
        {"55099", "Aucun"},
        {"template.unsupported", "Format ETF non support\xE9"},
        {"printer.virtual", "Imprimante virtuelle"},
        {"printer.default_bin", "Defaut"},
        {"model.untitled", "Sans_nom"},
        {"print.pages_hint",
         "Tapez les N\xB0 de pages et/ou groupe s\xE9par\xE9s par des virgules. (1,3,5-12)"},
        {"print.current", "Pa&ge en cours"},
        {"format.bool.1", "Oui;Non"},
        {"format.date.2", "d mmm yyyy"},
        {"func.cat.string", "Cha\xEEnes"},
        {"func.desc.COUNT",
         "COUNT(<BandName>)/Retourne le nombre de donn\xE9"
         "es dans la bande "
         "<BandName>. "},
        {"func.desc.FORMATTEXT",
         "FORMATTEXT(<Mask>, <String>)/Applies <Mask> to given <String> and returns formatted "
         "string."},
        {"func.desc.PAGE#", "PAGE#/Retourne le num\xE9ro de la page courante."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(EngineText(std::string_view(c.key)), c.text);
    }
}

TEST(EngineStrings, MessagePatternsFillIn) {
    struct Case {
        const char* key;
        std::initializer_list<std::string_view> args;
        const char* text;
    };
    const Case cases[] = {
        {"resolve.undefined_symbol",
         {"PRICE"},
         "Symbole non d\xE9"
         "fini \"PRICE\""},
        {"script.error_at",
         {"1", "14", "Need \";\" or \"end\" here"},
         "Line 1/14: Need \";\" or \"end\" here"},
        {"template.not_plugged",
         {"TChartView\rTGaugeView\r"},
         "Opened report contains the following non-plugged components:\rTChartView\rTGaugeView\r"
         "Use appropriate component from the report component palette"},
        {"data.open_failed", {"Clients"}, "Unable to open dataset Clients"},
        {"data.missing", {"Form2.Clients"}, "Missing Form2.Clients"},
        {"err.not_integer", {"x"}, "'x' n'est pas une valeur enti\xE8re correcte"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(FormatMessage(EngineText(std::string_view(c.key)), c.args), c.text);
    }
    EXPECT_EQ(EngineText("script.need_assign"), "Need \":=\" here");
    EXPECT_EQ(EngineText("script.goto_label_number"), "\"goto\" label must be a number");
}

TEST(EngineStrings, FunctionDescriptions) {
    std::vector<std::string> malformed;
    const std::vector<SourceLine> lines = ReadSourceTable(&malformed);
    const std::string prefix = "func.desc.";
    int count = 0;
    for (const SourceLine& line : lines) {
        if (line.key.rfind(prefix, 0) != 0) continue;
        ++count;
        const std::string name = line.key.substr(prefix.size());
        SCOPED_TRACE(name);
        const size_t slash = line.text.find('/');
        ASSERT_NE(slash, std::string::npos) << "no signature/explanation slash";
        EXPECT_NE(line.text.substr(0, slash).find(name), std::string::npos)
            << "the signature does not name the function";
        EXPECT_GT(line.text.size(), slash + 1) << "empty explanation";
    }
    EXPECT_EQ(count, 57);
    for (const char* category :
         {"all", "aggregate", "datetime", "string", "other", "math", "logical", "interpreter"}) {
        SCOPED_TRACE(category);
        EXPECT_TRUE(HasEngineText(std::string("func.cat.") + category));
    }
}

}  // namespace
}  // namespace report
