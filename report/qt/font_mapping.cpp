#include "report/qt/font_mapping.h"

#include <algorithm>
#include <cmath>

#include "report/core/base/text.h"
#include "report/core/model/memo_view.h"
#include "report/qt/qt_text.h"

namespace report {

QString LinuxFontFamily(std::string_view windowsName) {
    struct Mapping {
        const char* windows;
        const char* linux;
    };
    static constexpr Mapping kMetricCompatible[] = {
        {"Arial", "Liberation Sans"},
        {"Times New Roman", "Liberation Serif"},
        {"Courier New", "Liberation Mono"},
    };
    for (const Mapping& m : kMetricCompatible)
        if (SameText(windowsName, m.windows)) return QString::fromLatin1(m.linux);
    return ToQString(windowsName);
}

QFont QtFontOf(const CanvasFont& font) {
    QFont qfont(LinuxFontFamily(font.name));
    // QFont takes whole pixels; a painting canvas sets the fractional size on its raw font.
    qfont.setPixelSize(std::max(1, static_cast<int>(std::lround(font.pixelHeight))));
    qfont.setItalic((font.style & font_style::kItalic) != 0);
    qfont.setBold((font.style & font_style::kBold) != 0);
    qfont.setUnderline((font.style & font_style::kUnderline) != 0);
    qfont.setStrikeOut((font.style & font_style::kStrikeOut) != 0);
    qfont.setKerning(false);
    qfont.setHintingPreference(QFont::PreferNoHinting);
    qfont.setStyleStrategy(QFont::PreferOutline);
    return qfont;
}

}  // namespace report
