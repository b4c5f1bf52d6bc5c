#include "app/logic/text_lines.h"

namespace app {

std::string JoinLinesCrLf(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

}  // namespace app
