// The display format editor's change: the format of the selected text objects.
#pragma once

#include <optional>

#include "report/core/value/display_format.h"

namespace report {

class DesignDocument;

// The format the editor opens on: the first selected text object's; nothing when no text
// object is selected.
std::optional<DisplayFormat> SelectedDisplayFormat(const DesignDocument& document);

// Gives every selected text object `format` (other objects keep theirs: a band's pattern is its
// data source) and commits one step. Returns whether anything changed.
bool ApplyDisplayFormat(DesignDocument& document, const DisplayFormat& format);

}  // namespace report
