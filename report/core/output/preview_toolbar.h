// Which toolbar buttons of the preview are shown and enabled, from the report's
// `PreviewButtons`. A hidden button takes no room.
#pragma once

#include <cstdint>

namespace report {

struct ToolbarState {
    bool zoom = false;
    bool load = false;
    bool save = false;
    bool print = false;
    bool pageSetup = false;
    bool find = false;
    bool help = false;
    bool exit = false;
    bool exportPdf = false;
    // The separators after the zoom button, after page set-up (before find) and before close.
    bool zoomSeparator = false;
    bool fileSeparator = true;
    bool findSeparator = false;
    // Print and page set-up work only when the platform lists a printer.
    bool printEnabled = false;
};

// `previewButtons`: the pb* bits of the report. `toolbarInOwnWindow`: false when the toolbar
// sits on a host panel, which has no help or close button. `printerAvailable`: the platform
// lists at least one real printer. Export to PDF goes with saving.
ToolbarState ToolbarFor(uint8_t previewButtons, bool toolbarInOwnWindow, bool printerAvailable);

}  // namespace report
