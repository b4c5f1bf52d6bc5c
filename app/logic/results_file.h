// The results file "tombage.DBP": the last draw, one line per match, kept between runs.
//
// Each line is receiving team ";" visiting team ";" match label ";" followed by CR LF, in the
// grid's Windows-1252 bytes. Row i of the grid (counted from 1) is line i.
#pragma once

#include <string>

#include "app/logic/draw_grid.h"

namespace app {

inline constexpr const char* kResultsFileName = "tombage.DBP";

// UserFolder() + "tombage.DBP".
std::string ResultsFilePath();

// The file content for the grid's data rows: rows whose column 0 is empty are skipped.
std::string ResultsFileContent(const DrawGrid& grid);

// Replaces the file with the grid's data rows as ReplaceFileContent does it
// (report/core/base/file_replace.h). Raises report::FileCreateError ("Impossible de créer le
// fichier %s", full path) when it cannot, a read-only file included; the former file then stays
// whole.
void SaveResults(const DrawGrid& grid, const std::string& path);

// Refills the grid from the file: row count := lines + 1, every data cell := ExtractField of its
// line; the header row is left as it is. Raises report::FileOpenError when the file cannot be
// read; the grid is then unchanged.
void LoadResults(DrawGrid& grid, const std::string& path);

}  // namespace app
