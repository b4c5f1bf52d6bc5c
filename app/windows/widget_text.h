// Texts on their way to a widget.
#pragma once

#include <QString>
#include <string_view>

namespace app {

// One of the program's own texts (UTF-8 source, see app_texts.h).
inline QString QText(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace app
