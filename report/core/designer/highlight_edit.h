// The highlight editor's change: the conditional look of the selected text objects.
//
// Texts are Windows-1252; colours are 0x00BBGGRR or kNoColor.
#pragma once

#include <optional>

#include "report/core/model/memo_view.h"

namespace report {

class DesignDocument;

// The highlight the editor opens on: the first selected text object's; nothing when no text
// object is selected.
std::optional<MemoView::Highlight> SelectedHighlight(const DesignDocument& document);

// Gives every selected text object `highlight` and commits one step. A condition of blanks
// only is stored empty (no highlight). EngineError with the French message, and nothing
// changed, when the parser refuses the condition. Returns whether anything changed.
bool ApplyHighlight(DesignDocument& document, const MemoView::Highlight& highlight);

}  // namespace report
