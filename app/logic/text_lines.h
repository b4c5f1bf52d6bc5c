// Splitting of file content into lines, as every text file of the program is read.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace app {

// CR LF, a lone LF and a lone CR each end a line; a last line without terminator counts; an
// empty text gives no lines, and no empty line is added after the last terminator.
std::vector<std::string> SplitLines(std::string_view text);

// The lines joined, each followed by CR LF.
std::string JoinLinesCrLf(const std::vector<std::string>& lines);

}  // namespace app
