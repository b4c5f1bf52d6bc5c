// The page options of a report page: its paper (a code of the printer layer's list, or a
// custom size), orientation, margins and columns. Read as one record and written back as one
// undo step.
//
// Paper width and height in tenths of a millimetre (portrait, as the paper list gives them);
// margins and column gap in design pixels, a margin of 0 meaning the printer's unprintable
// border.
#pragma once

#include <cstdint>

namespace report {

class DesignDocument;
class Page;

struct PageOptions {
    int32_t paperCode = 0;
    int32_t paperWidth = 0;
    int32_t paperHeight = 0;
    uint8_t orientation = 0;  // poPortrait, poLandscape
    int32_t leftMargin = 0;
    int32_t topMargin = 0;
    int32_t rightMargin = 0;
    int32_t bottomMargin = 0;
    int32_t columns = 1;
    int32_t columnGap = 0;
};

inline constexpr int32_t kMaxPageColumns = 32;
// A custom paper may measure up to this, in tenths of a millimetre (5 m).
inline constexpr int32_t kMaxPaperLength = 50000;

PageOptions ReadPageOptions(const Page& page);

// Applies the options to the document's current page through the printer layer and commits
// one step. EngineError with the French message and the page unchanged when: a custom size is
// outside 1..kMaxPaperLength; a margin or the gap is negative; the margins leave no room on
// the paper; columns lie outside 1..kMaxPageColumns. Returns whether anything changed.
bool ApplyPageOptions(DesignDocument& document, const PageOptions& options);

}  // namespace report
