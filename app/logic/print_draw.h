// The print of the draw without its windows: how many records the report takes from the grid
// and the values the program gives the report's variables.
#pragma once

#include <string>

#include "app/logic/draw_grid.h"
#include "report/core/value/date_time.h"
#include "report/core/value/variant.h"

namespace app {

class PrintDraw {
  public:
    // Neither is copied: the grid is read at each request, and so is the results file's
    // date (it changes only when a draw writes the file). The grid must outlive this object.
    PrintDraw(const DrawGrid& grid, std::string resultsPath);

    // One record per data row (the header row excluded): the report's RangeEndCount.
    int RecordCount() const;

    // The report's OnGetValue for record `record` (0-based, grid row record + 1). Answers
    // "joueur1", "joueur2" (the bye "0" as the empty text), "Num", "Date1" and "Heure1",
    // names compared exactly; any other name leaves `value` untouched. "Date1" and "Heure1"
    // raise report::FileOpenError when the results file is missing.
    void Report1GetValue(int record, const std::string& name, report::Variant& value) const;

  private:
    const DrawGrid& grid_;
    std::string resultsPath_;
};

// The last-write time of a file, local, to the even second below (the date the results file
// has always shown). report::FileOpenError when the file does not exist.
report::DateTime FileWriteDate(const std::string& path);

}  // namespace app
