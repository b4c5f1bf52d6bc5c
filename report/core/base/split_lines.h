// Splitting of text into lines, as every text the program reads (files, memos, scripts).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace report {

// CR LF, a lone LF and a lone CR each end a line; a last line without terminator counts; an
// empty text gives no lines, and no empty line is added after the last terminator.
std::vector<std::string> SplitLines(std::string_view text);

}  // namespace report
