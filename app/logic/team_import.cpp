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
enum CleanState { csLeadingBlanks, csCopying, csAfterAmpersand, csAfterC3 };

// The single byte for the second byte of a 0xC3 pair, or 0 when the pair is not one of the five.
char LetterAfterC3(unsigned char second) {
    switch (second) {
        case 0x89:
            return '\xC9';  // É
        case 0xA7:
            return '\xE7';  // ç
        case 0xA8:
            return '\xE8';  // è
        case 0xA9:
            return '\xE9';  // é
        case 0xAE:
            return '\xEE';  // î
        default:
            return 0;
    }
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
    for (const char c : line) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == 0xC3) {
            state = csAfterC3;
            continue;
        }
        if (state == csAfterC3) {
            if (const char letter = LetterAfterC3(byte)) result += letter;
            state = byte == '&' ? csAfterAmpersand : csCopying;
            continue;
        }
        if (byte == '&') {
            state = csAfterAmpersand;
            continue;
        }
        if (state == csAfterAmpersand) continue;
        if (state == csLeadingBlanks) {
            if (byte == ' ') continue;
            state = csCopying;
        }
        result += c;
    }
    return result;
}

}  // namespace app
