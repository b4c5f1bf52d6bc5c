// The few build-time fields that a build sets on the template's objects, gathered here so that
// the object model can move them without touching the builder.
#pragma once

#include "report/core/base/engine_stream.h"

namespace report {

class Band;
class Dataset;
class PropertyAccess;
class View;

// The run-time band that holds the object while a report is built (null outside).
void SetParentBand(View& view, Band* band);
Band* ParentBand(const View& view);
// The memo after expression expansion: what is measured and written.
StringList& ExpandedMemo(View& view);
// A band object's own run-time band and the data source that its script methods (FIRST,
// NEXT, PRIOR, EOF) act on; null to release them.
void SetRuntimeBand(View& bandObject, PropertyAccess* band, Dataset* dataSource);

}  // namespace report
