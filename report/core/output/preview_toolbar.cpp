#include "report/core/output/preview_toolbar.h"

#include "report/core/model/report.h"

namespace report {

ToolbarState ToolbarFor(uint8_t previewButtons, bool toolbarInOwnWindow, bool printerAvailable) {
    namespace pb = preview_button;
    const auto has = [previewButtons](uint8_t bit) { return (previewButtons & bit) != 0; };
    ToolbarState state;
    state.zoom = has(pb::pbZoom);
    state.load = has(pb::pbLoad);
    state.save = has(pb::pbSave);
    state.print = has(pb::pbPrint);
    state.pageSetup = has(pb::pbPageSetup);
    state.find = has(pb::pbFind);
    state.help = has(pb::pbHelp) && toolbarInOwnWindow;
    state.exit = has(pb::pbExit) && toolbarInOwnWindow;
    state.exportPdf = state.save;
    state.zoomSeparator = state.zoom;
    state.fileSeparator = true;
    state.findSeparator = state.find || state.help;
    state.printEnabled = printerAvailable;
    return state;
}

}  // namespace report
