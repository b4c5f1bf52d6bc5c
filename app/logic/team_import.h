// Import of the teams of one group, from a ";"-separated file or from a page of the competition
// site saved to disk. Names are Windows-1252 byte strings.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace app {

using TeamNames = std::vector<std::string>;

// Group-list marker, searched in each line with every space removed ("é" in UTF-8).
inline constexpr std::string_view kGroupListMarker = "Listedes\xC3\xA9quipesdugroupe";

// The two lines that start a team's table row, compared whole (20 leading spaces included).
inline constexpr std::string_view kRowStartMarkerA =
    "                    <!----><tr ng-repeat=\"team in stadeTeamsCtrl.filteredGroupTeams track by "
    "$index\" ng-init=\"team.selected = false\" checkable-model=\"team.selected\">";
inline constexpr std::string_view kRowStartMarkerB =
    "                    </tr><!----><tr ng-repeat=\"team in stadeTeamsCtrl.filteredGroupTeams "
    "track by $index\" ng-init=\"team.selected = false\" checkable-model=\"team.selected\">";

// Lines from a row start to the line that holds the team's name.
inline constexpr int kNameLineDistance = 6;

// The extension of a file name, from the last "." of its last component, the dot included;
// empty when there is none.
std::string FileExtension(const std::string& path);

// Fills teamList from the file: ImportCsv for ".csv" in any case, ImportWebPage otherwise.
void ImportTeamFile(const std::string& path, TeamNames& teamList);

// Each line's first field (ExtractField(line, 0)) unless it is "0". The file is read before the
// list is emptied: a file that cannot be read raises report::FileOpenError and leaves the list
// as it was. A UTF-8 byte-order mark is dropped, and a file of valid UTF-8 holding non-ASCII
// letters is converted to Windows-1252; any other bytes are kept as they are.
void ImportCsv(const std::string& path, TeamNames& teamList);
void ImportCsvText(std::string_view content, TeamNames& teamList);

// When some line holds kGroupListMarker, every line equal to a row-start marker gives the team
// CleanTeamName(line + 6). A row start with fewer than 6 lines after it raises
// report::ListIndexError with the missing line's index (from 0); the names found before it stay.
// A file that cannot be read raises report::FileOpenError and leaves the list as it was.
void ImportWebPage(const std::string& path, TeamNames& teamList);
void ImportWebPageLines(const std::vector<std::string>& lines, TeamNames& teamList);

// True when some line, with every space byte (0x20) removed, contains the marker.
bool PageHasMarker(const std::vector<std::string>& lines, std::string_view marker);

// The team name in a name line: leading spaces dropped, copying stopped by "&" until a later
// UTF-8 letter. Every well-formed UTF-8 character of two bytes or more becomes its Windows-1252
// byte, or '?' when Windows-1252 has none; every other byte is kept as it is.
std::string CleanTeamName(std::string_view line);

}  // namespace app
