#include "app/logic/team_import.h"

#include "app/logic/file_io.h"
#include "app/logic/globals.h"
#include "app/logic/text_lines.h"
#include "report/core/base/errors.h"
#include "report/core/base/text.h"

namespace app {
namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// States of CleanTeamName.
enum CleanState { csLeadingBlanks, csCopying, csAfterAmpersand };

// The length of the well-formed UTF-8 sequence of two bytes or more that starts at `start`,
// or 0 when none starts there (an ASCII byte, a stray or invalid byte).
size_t MultiByteLetterLength(std::string_view line, size_t start) {
    const auto lead = static_cast<unsigned char>(line[start]);
    size_t length = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
    }
    if (length == 0 || start + length > line.size()) return 0;
    return report::IsValidUtf8(line.substr(start, length)) ? length : 0;
}

}  // namespace

std::string FileExtension(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || dot < nameStart) return {};
    return path.substr(dot);
}

void ImportTeamFile(const std::string& path, TeamNames& teamList) {
    if (report::SameText(FileExtension(path), ".csv")) {
        ImportCsv(path, teamList);
    } else {
        ImportWebPage(path, teamList);
    }
}

void ImportCsv(const std::string& path, TeamNames& teamList) {
    ImportCsvText(ReadWholeFile(path), teamList);
}

void ImportCsvText(std::string_view content, TeamNames& teamList) {
    if (content.starts_with(kUtf8ByteOrderMark)) content.remove_prefix(kUtf8ByteOrderMark.size());
    std::string text(content);
    if (report::HasNonAscii(text) && report::IsValidUtf8(text)) text = report::Utf8ToCp1252(text);
    const std::vector<std::string> lines = SplitLines(text);
    teamList.clear();
    for (const std::string& line : lines) {
        std::string name = ExtractField(line, 0);
        if (name != "0") teamList.push_back(std::move(name));
    }
}

void ImportWebPage(const std::string& path, TeamNames& teamList) {
    ImportWebPageLines(SplitLines(ReadWholeFile(path)), teamList);
}

void ImportWebPageLines(const std::vector<std::string>& lines, TeamNames& teamList) {
    teamList.clear();
    if (!PageHasMarker(lines, kGroupListMarker)) return;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] != kRowStartMarkerA && lines[i] != kRowStartMarkerB) continue;
        const size_t nameLine = i + kNameLineDistance;
        if (nameLine >= lines.size())
            throw report::ListIndexError(static_cast<long long>(nameLine));
        teamList.push_back(CleanTeamName(lines[nameLine]));
    }
}

bool PageHasMarker(const std::vector<std::string>& lines, std::string_view marker) {
    std::string squeezed;
    for (const std::string& line : lines) {
        squeezed.clear();
        for (const char c : line) {
            if (c != ' ') squeezed += c;
        }
        if (squeezed.find(marker) != std::string::npos) return true;
    }
    return false;
}

std::string CleanTeamName(std::string_view line) {
    std::string result;
    CleanState state = csLeadingBlanks;
    size_t i = 0;
    while (i < line.size()) {
        if (const size_t length = MultiByteLetterLength(line, i)) {
            // A letter written in UTF-8 becomes its Windows-1252 byte ('?' when it has none)
            // and switches the copying back on, even after an "&".
            result += report::Utf8ToCp1252(line.substr(i, length));
            state = csCopying;
            i += length;
            continue;
        }
        const char c = line[i++];
        if (c == '&') {
            state = csAfterAmpersand;
            continue;
        }
        if (state == csAfterAmpersand) continue;
        if (state == csLeadingBlanks) {
            if (c == ' ') continue;
            state = csCopying;
        }
        result += c;
    }
    return result;
}

}  // namespace app
