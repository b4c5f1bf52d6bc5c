// Where the preview draws a page inside its sheet on screen.
//
// Units: screen pixels; the zoom factor is screen pixels per design pixel.
#pragma once

#include "report/core/model/view.h"

namespace report {

struct PreparedPage;

// The canvas rectangle a page is drawn into when its whole sheet occupies `sheetRect` on
// screen at `zoomFactor`: the sheet itself for a page with MarginsActive, else the printable
// area less the margins, each edge rounded.
IntRect DrawRectOnSheet(const PreparedPage& page, const IntRect& sheetRect, double zoomFactor);

}  // namespace report
