#include "app/logic/draw_procedure.h"

#include <string_view>

#include "app/logic/globals.h"
#include "app/logic/results_file.h"

namespace app {
namespace {

constexpr std::string_view kLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr int kScrollEvery = 10;

}  // namespace

std::string MatchLabel(DrawMode mode, int matchNumber, int letterIndex) {
    std::string label = std::to_string(matchNumber);
    if (mode == DrawMode::dmRepechage && letterIndex >= 1 &&
        letterIndex <= static_cast<int>(kLetters.size())) {
        label += kLetters[static_cast<size_t>(letterIndex - 1)];
    }
    if (label.size() < 3) label.insert(0, 3 - label.size(), '0');
    return label;
}

std::string LabelOfRow(DrawMode mode, int row) {
    if (mode == DrawMode::dmPlain) return MatchLabel(mode, row, 1);
    return MatchLabel(mode, (row + 1) / 2, row % 2 == 1 ? 1 : 2);
}

void DrawMatches(DrawMode mode, TeamNames& teamList, DrawGrid& grid, RandomGenerator& random,
                 Pacer& pacer, const std::string& resultsPath) {
    if (teamList.empty()) return;  // nothing to pick from: the grid and the file stay as they are
    int matchNumber = 1;
    int letterIndex = 1;
    const int n = static_cast<int>(teamList.size());
    grid.SetRowCount(n / 2 + 2);
    for (int row = 1; row < grid.RowCount(); ++row) {
        for (int column = 0; column < kGridColumnCount; ++column)
            grid.SetCell(column, row, {});
    }
    int row = 1;
    int column = kReceivingColumn;
    while (!teamList.empty()) {
        pacer.ProcessEvents();
        const auto k = static_cast<size_t>(random.Pick(static_cast<uint32_t>(teamList.size())));
        pacer.Pause(kPickPauseMilliseconds);
        const std::string label = MatchLabel(mode, matchNumber, letterIndex);
        grid.SetCell(column, row, ExtractField(teamList[k], 0));
        teamList.erase(teamList.begin() + static_cast<std::ptrdiff_t>(k));
        if (column == kReceivingColumn) grid.SetCell(kLabelColumn, row, label);
        ++column;
        if (column == kLabelColumn) {
            ++row;
            column = kReceivingColumn;
            if (mode == DrawMode::dmPlain) {
                ++matchNumber;
            } else if (row % 2 == 0) {
                ++letterIndex;
            } else {
                ++matchNumber;
                letterIndex = 1;
            }
            if (row > 6 && row % kScrollEvery == 0) grid.ScrollDownOneLine();
        }
    }
    SaveResults(grid, resultsPath);
    LoadResults(grid, resultsPath);
}

}  // namespace app
