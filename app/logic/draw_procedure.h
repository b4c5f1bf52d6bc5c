// The draw: teams picked one at a time at random into the grid, alternately receiving and
// visiting team of consecutive rows, each row labelled; then saved and reloaded.
#pragma once

#include <string>

#include "app/logic/draw_grid.h"
#include "app/logic/pacer.h"
#include "app/logic/random_generator.h"
#include "app/logic/team_import.h"

namespace app {

enum class DrawMode {
    dmPlain,      // "Martchs sans repêchage": 001, 002, 003 ...
    dmRepechage,  // "Matchs avec repêchages": 01A, 01B, 02A ...
};

// The pause after each pick, so that an audience can follow.
inline constexpr int kPickPauseMilliseconds = 1987;

// The label of a match: the number, in repechage mode followed by the letter of letterIndex
// (1 = "A"), with "0" in front up to 3 characters.
std::string MatchLabel(DrawMode mode, int matchNumber, int letterIndex);

// The label that the numbering gives to data row `row` (from 1).
std::string LabelOfRow(DrawMode mode, int row);

// Draws every team of teamList into the grid (row count n div 2 + 2 during the draw), pacing
// each pick, then saves the grid to resultsPath (SaveResults) and reloads it (LoadResults).
// teamList ends empty. An empty teamList does nothing at all. Raises report::FileCreateError
// when the results file cannot be written: the grid then keeps the draw as drawn, unreloaded.
void DrawMatches(DrawMode mode, TeamNames& teamList, DrawGrid& grid, RandomGenerator& random,
                 Pacer& pacer, const std::string& resultsPath);

}  // namespace app
