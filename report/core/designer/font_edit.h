// The font editor's change: the font of the selected text objects.
//
// Family names are Windows-1252, sizes in points, colours 0x00BBGGRR.
#pragma once

#include <optional>

#include "report/core/model/memo_view.h"

namespace report {

class DesignDocument;

inline constexpr int32_t kMinFontSize = 1;
inline constexpr int32_t kMaxFontSize = 1638;

// The font the editor opens on: the first selected text object's; nothing when no text object
// is selected.
std::optional<Font> SelectedFont(const DesignDocument& document);

// Gives every selected text object `font` (the family name trimmed; each keeps its character
// set) and commits one step. EngineError with the French message, and nothing changed, when
// the family name is empty or the size lies outside kMinFontSize..kMaxFontSize. Returns
// whether anything changed.
bool ApplyFont(DesignDocument& document, const Font& font);

}  // namespace report
