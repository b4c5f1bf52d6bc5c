#include "report/core/building/view_build_access.h"

#include "report/core/model/view.h"

namespace report {

void SetParentBand(View& view, Band* band) {
    view.build.parentBand = band;
}

Band* ParentBand(const View& view) {
    return view.build.parentBand;
}

StringList& ExpandedMemo(View& view) {
    return view.expandedMemo;
}

void SetRuntimeBand(View& bandObject, PropertyAccess* band, Dataset* dataSource) {
    bandObject.build.runtimeBand = band;
    bandObject.build.dataSource = dataSource;
}

}  // namespace report
