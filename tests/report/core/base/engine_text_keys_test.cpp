// Every key of the string table that the program's sources name exists in res/strings.txt: a
// key that is missing would only show when its message is needed, as a failure of the program.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "report/core/base/engine_strings.h"
#include "report/core/base/split_lines.h"

namespace report {
namespace {

namespace fs = std::filesystem;

struct KeyUse {
    std::string key;
    int line = 0;  // from 1

    bool operator==(const KeyUse&) const = default;
};

void PrintTo(const KeyUse& use, std::ostream* out) {
    *out << use.key << "@" << use.line;
}

// The keys a source text names: the argument of EngineText("...") or EngineText(number), and
// any string literal that is a whole key of one of `areas` ("parser.too_deep" in a constant or
// a table). Literals ending in '.' are prefixes that the code completes, not keys.
std::vector<KeyUse> FindKeyUses(const std::string& source, const std::set<std::string>& areas) {
    static const std::regex call(R"re(EngineText\(\s*(?:"([^"\\]*)"|(\d+))\s*\))re");
    static const std::regex literal(R"re("([a-z_]+)\.([A-Za-z0-9_.#]*[A-Za-z0-9_#])")re");
    std::vector<KeyUse> uses;
    const std::vector<std::string> lines = SplitLines(source);
    for (size_t n = 0; n < lines.size(); ++n) {
        const int line = static_cast<int>(n) + 1;
        std::set<std::string> seen;
        auto add = [&](const std::string& key) {
            if (seen.insert(key).second) uses.push_back({key, line});
        };
        for (std::sregex_iterator it(lines[n].begin(), lines[n].end(), call), end; it != end;
             ++it) {
            add((*it)[1].matched ? (*it)[1].str() : (*it)[2].str());
        }
        for (std::sregex_iterator it(lines[n].begin(), lines[n].end(), literal), end; it != end;
             ++it) {
            if (areas.count((*it)[1].str()) > 0) add((*it)[1].str() + "." + (*it)[2].str());
        }
    }
    return uses;
}

TEST(EngineTextKeys, FindsTheKeysASourceNames) {
    const std::set<std::string> areas = {"parser", "err"};
    struct Case {
        const char* source;
        std::vector<KeyUse> uses;
    };
    const Case cases[] = {
        {"return EngineText(\"parser.too_deep\");", {{"parser.too_deep", 1}}},
        {"EngineText( 55206 )", {{"55206", 1}}},
        {"x;\ninline constexpr const char* kX = \"err.file_open\";", {{"err.file_open", 2}}},
        {"EngineText(\"other.key\")", {{"other.key", 1}}},  // a call names a key of any area
        {"{\"err.a\", 1}, {\"err.b\", 2}", {{"err.a", 1}, {"err.b", 1}}},
        {"EngineText(\"err.a\") + \"err.a\"", {{"err.a", 1}}},
        {"\"other.key\" \"Tombage.ini\" \"mm.dd.yy\"", {}},  // not areas of the table
        {"EngineText(\"func.desc.\" + name)", {}},           // completed by the code
        {"\"err.\" \"parser\" EngineText(kKey) EngineText(text_id::kOne)", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source);
        EXPECT_EQ(FindKeyUses(c.source, areas), c.uses);
    }
}

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The first part of every symbolic key of the table ("parser" of "parser.too_deep").
std::set<std::string> TableAreas(const fs::path& root) {
    std::set<std::string> areas;
    for (const std::string& line : SplitLines(ReadText(root / "res" / "strings.txt"))) {
        const size_t dot = line.find('.');
        if (line.empty() || line[0] == '#' || dot == std::string::npos) continue;
        if (dot < line.find('=')) areas.insert(line.substr(0, dot));
    }
    return areas;
}

TEST(EngineTextKeys, EveryKeyTheSourcesNameExists) {
    const char* sourceDir = std::getenv("TOMBAGE_SOURCE_DIR");
    ASSERT_NE(sourceDir, nullptr) << "TOMBAGE_SOURCE_DIR is not set";
    const fs::path root(sourceDir);
    const std::set<std::string> areas = TableAreas(root);
    ASSERT_GT(areas.count("parser"), 0u);
    int keys = 0;
    for (const char* folder : {"report", "app", "tools"}) {
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root / folder)) {
            const fs::path& path = entry.path();
            if (!entry.is_regular_file() ||
                (path.extension() != ".cpp" && path.extension() != ".h"))
                continue;
            for (const KeyUse& use : FindKeyUses(ReadText(path), areas)) {
                ++keys;
                EXPECT_TRUE(HasEngineText(use.key))
                    << fs::relative(path, root).string() << ":" << use.line << ": \"" << use.key
                    << "\" is not in res/strings.txt";
            }
        }
    }
    // The engine names about a hundred texts; far fewer means the scan missed them.
    EXPECT_GT(keys, 50);
}

}  // namespace
}  // namespace report
