// Feeds arbitrary content as tombage.DBP to the results-file reader. Every line becomes a row
// whose three cells are filled and hold no separator, and saving that grid and reading it back
// gives the same grid.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/logic/results_file.h"
#include "fuzz/scratch_folder.h"
#include "report/core/base/split_lines.h"
#include "tests/app/logic/test_support.h"

namespace {

bool CellIsSound(const std::string& cell) {
    return !cell.empty() && cell.find_first_of(";\r\n") == std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    const fuzzing::ScratchFolder& folder = fuzzing::ScratchFolder::Instance();
    const std::string path = folder.Write(app::kResultsFileName, content);

    app_test::MemoryGrid grid(3);
    app::LoadResults(grid, path);
    if (static_cast<std::size_t>(grid.RowCount()) != report::SplitLines(content).size() + 1) {
        std::abort();
    }
    for (int row = 1; row < grid.RowCount(); ++row) {
        for (int column = 0; column < app::kGridColumnCount; ++column) {
            if (!CellIsSound(grid.Cell(column, row))) std::abort();
        }
    }

    app::SaveResults(grid, path);
    app_test::MemoryGrid reloaded(1);
    app::LoadResults(reloaded, path);
    if (reloaded.RowCount() != grid.RowCount()) std::abort();
    for (int row = 1; row < grid.RowCount(); ++row) {
        for (int column = 0; column < app::kGridColumnCount; ++column) {
            if (reloaded.Cell(column, row) != grid.Cell(column, row)) std::abort();
        }
    }
    return 0;
}
