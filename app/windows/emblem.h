// The program's emblem: a 60 × 60 picture in 16 colours, drawn here (the about window's Image2
// and the windows' icon).
#pragma once

#include <QImage>

class QPainter;

namespace app {

inline constexpr int kEmblemSize = 60;

// A draw ball marked "T" over a pitch, in the 16 colours of the classic palette.
QImage DrawEmblem();

// Paints the emblem in a 60 x 60 square from (0, 0); the painter's transform scales it (the
// desktop icons are drawn from here at their sizes).
void PaintEmblem(QPainter& painter);

}  // namespace app
