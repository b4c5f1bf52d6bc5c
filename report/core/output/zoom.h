// The preview's zoom: its modes, the items of the zoom menu, and the zoom carried from one
// preview to the next.
//
// Units: a zoom factor is screen pixels per design pixel.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "report/core/model/report.h"

namespace report {

enum class ZoomMode : uint8_t { Percentage = 0, PageWidth = 1, WholePage = 2, TwoPages = 3 };

// One radio item of the zoom menu: a percentage (tag 10 to 200) or a mode (tags 1 to 3).
struct ZoomMenuItem {
    const char* name;     // component name, N2001 ...
    int tag;              // percentage, or 1, 2, 3 for the modes
    const char* textKey;  // engine text of its caption
};

// The items in menu order: 200 % down to 10 %, then page width, whole page, two pages.
std::span<const ZoomMenuItem> ZoomMenuItems();

// The zoom the next preview opens with; every preview of the run shares one. Choosing a zoom
// from the menu stores it here.
struct ZoomMemory {
    double lastZoom = 1.0;
    ZoomMode lastZoomMode = ZoomMode::Percentage;
};

// A window's zoom as the menu shows it.
struct ZoomState {
    double factor = 1.0;
    ZoomMode mode = ZoomMode::Percentage;
};

// The zoom a menu tag selects: tags 1 to 3 the modes (the factor unchanged until the layout
// computes it), any other the percentage tag / 100.
ZoomState ZoomForTag(int tag, double currentFactor);

// The tag of the menu item to check: the mode's for modes 1 to 3, the percentage item equal
// to round(factor x 100) otherwise, or 0 when no item has that percentage.
int CheckedZoomTag(const ZoomState& zoom);

// The zoom button's caption: round(factor x 100) followed by "%", such as "100%".
std::string ZoomCaption(double factor);

// `InitialZoom` applied at opening: page width, one page and two pages choose modes 1, 2 and
// 3 for this and later previews; pzDefault keeps the last one.
void ApplyInitialZoom(PreviewZoom initialZoom, ZoomMemory& memory);

}  // namespace report
