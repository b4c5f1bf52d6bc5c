// Finds a text in the text outputs of a prepared page, as the page draws them.
//
// Units: hit bounds in design pixels of the sheet (from its top-left corner), as the page is
// drawn on screen: a page without MarginsActive has its objects shrunk into the printable
// area less the margins, so a hit is where the user sees it.
#pragma once

#include <optional>
#include <string>

#include "report/core/model/view.h"
#include "report/core/render/font_metrics.h"

namespace report {

class PreparedPages;

struct TextHit {
    int operation = 0;  // number of the drawing operation of the page, from 0
    IntRect bounds;     // the text output's cell
};

// The first text output numbered `resume` or later that contains `needle`. Without case
// sensitivity `needle` must already be upper case (Windows-1252) and each output is
// compared upper-cased. A text split over two outputs (two lines) is not found. The page is
// drawn with its Visible flag set onto a recording canvas that measures with `metrics`
// (null: the fixed-advance model), and is left live.
std::optional<TextHit> FindTextOnPage(PreparedPages& pages, int index, const std::string& needle,
                                      bool caseSensitive, int resume,
                                      const FontMetricsSource* metrics);

}  // namespace report
