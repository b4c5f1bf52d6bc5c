#include "app/logic/results_file.h"

#include <string>
#include <vector>

#include "app/logic/file_io.h"
#include "app/logic/globals.h"
#include "app/logic/text_lines.h"
#include "report/core/base/errors.h"
#include "report/core/base/file_replace.h"

namespace app {

std::string ResultsFilePath() {
    return UserFolder() + kResultsFileName;
}

std::string ResultsFileContent(const DrawGrid& grid) {
    std::vector<std::string> lines;
    for (int row = 1; row < grid.RowCount(); ++row) {
        if (grid.Cell(kReceivingColumn, row).empty()) continue;
        lines.push_back(grid.Cell(kReceivingColumn, row) + ";" + grid.Cell(kVisitingColumn, row) +
                        ";" + grid.Cell(kLabelColumn, row) + ";");
    }
    return JoinLinesCrLf(lines);
}

void SaveResults(const DrawGrid& grid, const std::string& path) {
    if (!report::ReplaceFileContent(path, ResultsFileContent(grid))) {
        throw report::FileCreateError(PathForMessage(path));
    }
}

void LoadResults(DrawGrid& grid, const std::string& path) {
    const std::vector<std::string> lines = SplitLines(ReadWholeFile(path));
    grid.SetRowCount(static_cast<int>(lines.size()) + 1);
    for (int column = 0; column < kGridColumnCount; ++column) {
        for (size_t i = 0; i < lines.size(); ++i) {
            grid.SetCell(column, static_cast<int>(i) + 1, ExtractField(lines[i], column));
        }
    }
}

}  // namespace app
