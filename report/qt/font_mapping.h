// Windows font names of templates mapped to the Linux families that share their metrics, so
// that text measured for layout keeps its width on screen, paper and PDF.
#pragma once

#include <QFont>
#include <QString>
#include <string_view>

#include "report/core/render/canvas_types.h"

namespace report {

// Arial -> Liberation Sans, Times New Roman -> Liberation Serif, Courier New -> Liberation
// Mono, and the common Windows interface fonts (MS Sans Serif, Tahoma, Verdana, Segoe UI …) to
// the installed family closest to their widths (names compared without case; the list is in
// the README). Other names are kept for fontconfig to substitute. Needs a Qt application.
QString LinuxFontFamily(std::string_view windowsName);

// The Qt font of a canvas font: the mapped family at the pixel height (em size), its style,
// without kerning nor hinting so that advances add up the same at every resolution.
QFont QtFontOf(const CanvasFont& font);

}  // namespace report
