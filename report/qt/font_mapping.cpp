#include "report/qt/font_mapping.h"

#include <QFontDatabase>
#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "report/core/base/text.h"
#include "report/core/model/memo_view.h"
#include "report/qt/qt_text.h"

namespace report {

QString LinuxFontFamily(std::string_view windowsName) {
    // Each Windows family with the installed families closest to its widths, best first: a
    // metric-compatible family where one exists, else the nearest design of about its width.
    // Left to fontconfig, these fall back to a wider sans-serif.
    struct Mapping {
        const char* windows;
        std::initializer_list<const char*> linux;
    };
    static const Mapping kMappings[] = {
        {"Arial", {"Liberation Sans"}},
        {"Helvetica", {"Liberation Sans"}},
        {"Times New Roman", {"Liberation Serif"}},
        {"Times", {"Liberation Serif"}},
        {"Courier New", {"Liberation Mono"}},
        {"Courier", {"Liberation Mono"}},
        {"Arial Narrow", {"Liberation Sans Narrow", "Liberation Sans"}},
        {"MS Sans Serif", {"Liberation Sans"}},
        {"Microsoft Sans Serif", {"Liberation Sans"}},
        {"MS Shell Dlg", {"Liberation Sans"}},
        {"MS Shell Dlg 2", {"Liberation Sans"}},
        {"MS Serif", {"Liberation Serif"}},
        {"Segoe UI", {"Selawik", "Liberation Sans"}},
        {"Calibri", {"Carlito", "Liberation Sans"}},
        {"Cambria", {"Caladea", "Liberation Serif"}},
        {"Verdana", {"DejaVu Sans", "Liberation Sans"}},
        {"Tahoma", {"DejaVu Sans Condensed", "Liberation Sans"}},
        {"Georgia", {"Gelasio", "DejaVu Serif", "Liberation Serif"}},
        {"Lucida Console", {"Liberation Mono"}},
        {"Consolas", {"Liberation Mono"}},
    };
    for (const Mapping& m : kMappings) {
        if (!SameText(windowsName, m.windows)) continue;
        for (const char* family : m.linux)
            if (QFontDatabase::hasFamily(QString::fromLatin1(family)))
                return QString::fromLatin1(family);
        return QString::fromLatin1(*m.linux.begin());
    }
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
