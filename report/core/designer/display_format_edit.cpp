#include "report/core/designer/display_format_edit.h"

#include "report/core/designer/design_document.h"
#include "report/core/model/memo_view.h"

namespace report {
namespace {

bool IsText(const View& view) {
    return dynamic_cast<const MemoView*>(&view) != nullptr;
}

}  // namespace

std::optional<DisplayFormat> SelectedDisplayFormat(const DesignDocument& document) {
    for (const View* view : document.SelectedViews()) {
        if (IsText(*view)) return DisplayFormat{view->formatCode, view->formatPattern};
    }
    return std::nullopt;
}

bool ApplyDisplayFormat(DesignDocument& document, const DisplayFormat& format) {
    for (View* view : document.SelectedViews()) {
        if (!IsText(*view)) continue;
        view->formatCode = format.code;
        view->formatPattern = format.pattern;
    }
    return document.Commit();
}

}  // namespace report
