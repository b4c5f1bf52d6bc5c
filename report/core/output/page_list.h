// The page list of the print dialog: "1,3,5-12" names pages 1, 3 and 5 to 12.
#pragma once

#include <set>
#include <string>

#include "report/core/base/errors.h"

namespace report {

// A non-empty page list none of whose numbers is a page of the report.
class PageListError : public EngineError {
  public:
    explicit PageListError(const std::string& list);
};

// The page numbers (from 1) that `text` names among `pageCount` pages. Blanks are ignored;
// pieces are separated by ","; "a-b" names a to b (nothing when b < a); a trailing "-" runs
// to the last page; a second dash restarts the range ("1-3-5" is 3 to 5). Numbers beyond the
// report are accepted and left out of the result.
//
// An empty text (after blanks) gives the empty set, which means every page. A piece that is
// not an optional "+" and decimal digits raises ConvertError::NotInteger with that piece; a
// non-empty text that leaves no page of the report raises PageListError.
std::set<int> ParsePageList(const std::string& text, int pageCount);

}  // namespace report
