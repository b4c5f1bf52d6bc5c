// Splitting of file content into lines, as every text file of the program is read.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "report/core/base/split_lines.h"

namespace app {

// CR LF, a lone LF and a lone CR each end a line, as the engine reads its texts.
using report::SplitLines;

// The lines joined, each followed by CR LF.
std::string JoinLinesCrLf(const std::vector<std::string>& lines);

}  // namespace app
