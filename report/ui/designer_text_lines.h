// Lines of Windows-1252 text shown in one multi-line field, and back.
#pragma once

#include <QString>
#include <string>
#include <vector>

namespace report {

// The lines joined by '\n'.
QString JoinedLines(const std::vector<std::string>& lines);
// The field's text cut at each '\n'; an empty text gives no line.
std::vector<std::string> SplitLines(const QString& text);

}  // namespace report
