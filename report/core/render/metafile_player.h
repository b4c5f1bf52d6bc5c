// A small player for the Windows metafiles kept in pictures, placeable WMF and EMF: lines,
// polylines, rectangles, pens, brushes, window and viewport mapping; in EMF also text with its
// fonts, colour and alignment, ellipses and polygon outlines. A metafile with any other record
// is not played and the caller shows a grey box instead. Reads only inside the given bytes,
// whatever they hold.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "report/core/render/canvas.h"

namespace report {

struct MetafileSize {
    bool valid = false;
    int32_t width = 0;   // pixels at 96 per inch (placeable bounds by the header's units per
    int32_t height = 0;  // inch), or the EMF's bounds in its device pixels
};

// The size of a placeable WMF or an EMF; invalid for anything else.
MetafileSize MeasureMetafile(std::string_view data);

// Whether PlayMetafile would play the data: a placeable WMF or an EMF of known records.
bool CanPlayMetafile(std::string_view data);

// Plays the metafile stretched into `target`, nothing drawn outside `clip` (the target when
// none is given). False, with nothing drawn, when the data is not a placeable WMF or an EMF,
// or holds a record the player does not know.
bool PlayMetafile(std::string_view data, const IntRect& target, Canvas& canvas,
                  const std::optional<IntRect>& clip = std::nullopt);

}  // namespace report
