// The program's emblem: a 60 × 60 picture in 16 colours, drawn here (the about window's Image2
// and the windows' icon).
#pragma once

#include <QImage>

namespace app {

inline constexpr int kEmblemSize = 60;

// A draw ball marked "T" over a pitch, in the 16 colours of the classic palette.
QImage DrawEmblem();

}  // namespace app
