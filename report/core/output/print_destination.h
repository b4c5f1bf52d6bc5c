// Where a prepared page goes on the printer's sheet.
//
// Units: printer pixels, the origin at the corner of the printable area (as a printer canvas
// has it).
#pragma once

#include "report/core/model/view.h"

namespace report {

struct PreparedPage;

// From the page's metrics (for the printer as set now): with MarginsActive the whole sheet,
// reaching over the unprintable borders; without it the printable area less the page's
// margins, the margins scaled from design pixels by the printable sizes.
IntRect PrintDestination(const PreparedPage& page);

}  // namespace report
