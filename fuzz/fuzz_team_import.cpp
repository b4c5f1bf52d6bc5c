// Feeds arbitrary file content to both team imports, the ";"-separated list and the saved page
// of the competition site. Whatever the bytes, the import ends with a list or a French error,
// and every name it keeps is one a draw can write to the results file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "app/logic/team_import.h"
#include "report/core/base/errors.h"
#include "report/core/base/split_lines.h"

namespace {

bool HoldsLineBreak(const std::string& name) {
    return name.find_first_of("\r\n") != std::string::npos;
}

void CheckCsvImport(std::string_view content, std::size_t lineCount) {
    app::TeamNames teams{"avant"};
    app::ImportCsvText(content, teams);
    if (teams.size() > lineCount) std::abort();
    for (const std::string& name : teams) {
        // The first field of a line: never the "empty field" answer, never a separator.
        if (name.empty() || name == "0" || name.find(';') != std::string::npos) std::abort();
        if (HoldsLineBreak(name)) std::abort();
    }
}

void CheckWebPageImport(const std::vector<std::string>& lines) {
    app::TeamNames teams{"avant"};
    try {
        app::ImportWebPageLines(lines, teams);
    } catch (const report::ListIndexError&) {
        // A row start too close to the end of the page; the names before it stay.
    }
    if (teams.size() > lines.size()) std::abort();
    for (const std::string& name : teams) {
        if (HoldsLineBreak(name)) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> lines = report::SplitLines(content);
    CheckCsvImport(content, lines.size());
    CheckWebPageImport(lines);
    // A name line is cleaned byte by byte: each byte gives at most one.
    if (app::CleanTeamName(content).size() > content.size()) std::abort();
    return 0;
}
