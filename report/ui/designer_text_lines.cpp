#include "report/ui/designer_text_lines.h"

#include <QStringList>

#include "report/qt/qt_text.h"

namespace report {

QString JoinedLines(const std::vector<std::string>& lines) {
    QStringList list;
    for (const std::string& line : lines)
        list << ToQString(line);
    return list.join(QLatin1Char('\n'));
}

std::vector<std::string> SplitLines(const QString& text) {
    std::vector<std::string> lines;
    if (text.isEmpty()) return lines;
    for (const QString& line : text.split(QLatin1Char('\n')))
        lines.push_back(FromQString(line));
    return lines;
}

}  // namespace report
