// The designer's changes to the page shown: inserting, moving, resizing, deleting, aligning and
// reordering the selected objects. They change the report only; the caller commits the step
// (DesignDocument::Commit), so that a drag of many moves is one step.
//
// Restrictions are honoured: an object that is not movable, resizable or deletable stays as it
// is while the others of the selection change. Units: design pixels.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "report/core/base/band_type.h"
#include "report/core/designer/design_geometry.h"

namespace report {

class DesignDocument;
class Page;

// What the toolbar inserts.
enum class ObjectKind { Text, Band, Picture, Line, SubReport };

// Band types in the order bands stand on a page, from the top.
const std::array<BandType, 21>& BandOrder();

// Inserts an object over `area` on the page shown, names it and selects it alone; an area
// without width or height gives the kind's usual size at its top left corner. A band spans the
// printable width, takes its place among the bands by BandOrder (the area gives only its
// height) and pushes the bands after it down; a sub-report gets a new page of its own. Returns
// the new object's index.
size_t InsertObject(DesignDocument& document, ObjectKind kind, const IntRect& area,
                    BandType bandType = BandType::MasterData);

// Moves the selection; a band takes the objects lying on it along. False when nothing moved.
bool MoveSelection(DesignDocument& document, int32_t dx, int32_t dy);
// The move (dx, dy) changed so that the selection's first object lands on the grid.
void SnapMove(const DesignDocument& document, int32_t grid, int32_t& dx, int32_t& dy);
// Moves the edges of `handle` of every selected object by (dx, dy); widths and heights stay at
// least 0. False when nothing changed.
bool ResizeSelection(DesignDocument& document, Handle handle, int32_t dx, int32_t dy);
// Deletes the selected objects that may be deleted; those that may not stay selected. Returns
// how many were deleted.
size_t DeleteSelection(DesignDocument& document);

// Aligns the selection on its first object.
enum class Alignment { Lefts, Rights, Tops, Bottoms, HorizontalCentres, VerticalCentres };
bool AlignSelection(DesignDocument& document, Alignment alignment);
// Gives the selection the width and/or height of its first object.
bool SameSize(DesignDocument& document, bool width, bool height);
// Draws the selection last (on top) or first (below the others), keeping its order.
bool BringToFront(DesignDocument& document);
bool SendToBack(DesignDocument& document);

// Selects the object after (or before) the last selected one, in page order, cycling.
void SelectNext(DesignDocument& document, bool backwards);

// Moves bands (with their objects) down so that none overlaps the one above; vertical bands
// are left alone. `first` wins a tie of tops. False when nothing moved.
bool StackBands(Page& page, const View* first = nullptr);

}  // namespace report
