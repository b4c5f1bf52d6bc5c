#include "report/core/designer/highlight_edit.h"

#include "report/core/base/engine_strings.h"
#include "report/core/base/errors.h"
#include "report/core/base/text.h"
#include "report/core/designer/design_document.h"
#include "report/core/designer/expression_check.h"

namespace report {

std::optional<MemoView::Highlight> SelectedHighlight(const DesignDocument& document) {
    for (const View* view : document.SelectedViews()) {
        if (const auto* memo = dynamic_cast<const MemoView*>(view)) return memo->highlight;
    }
    return std::nullopt;
}

bool ApplyHighlight(DesignDocument& document, const MemoView::Highlight& highlight) {
    MemoView::Highlight checked = highlight;
    checked.condition = Trim(highlight.condition);
    if (!checked.condition.empty()) {
        if (auto refusal = ExpressionRefusal(checked.condition))
            throw EngineError(
                FormatMessage(EngineText("designer.highlight_condition"), {*refusal}));
    }
    for (View* view : document.SelectedViews()) {
        if (auto* memo = dynamic_cast<MemoView*>(view)) memo->highlight = checked;
    }
    return document.Commit();
}

}  // namespace report
