// The fonts of the windows by their original names, each followed by metric-compatible or
// close Linux faces so that the layout keeps its proportions.
#pragma once

#include <QFont>

namespace app {

// "MS Sans Serif", 8 points: the windows' base font.
QFont WindowFont();
// "Times New Roman", 21 pixels: the draw grid.
QFont GridFont();
// "Century Schoolbook" at a pixel size: the about window's texts.
QFont SchoolbookFont(int pixelSize, bool bold);
// "Arial" at a point size: the history animation.
QFont ArialFont(int pointSize);

}  // namespace app
