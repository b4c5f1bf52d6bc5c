// Sample records for building a template made for the program without the program: the data
// source `userDataset1` with a number of records, whose fields answer from a table of values
// (semicolon-separated file: a header row of names, then one row per record, UTF-8 or
// Windows-1252). `etat build --values` and the designer's preview share it.
#pragma once

#include <string>
#include <vector>

#include "report/core/data/component.h"
#include "report/core/data/dataset.h"

namespace report {

class Report;

// Texts in Windows-1252.
struct SampleValues {
    std::vector<std::string> names;
    std::vector<std::vector<std::string>> rows;
};

// Reads a values file; FileOpenError when it cannot be read.
SampleValues ReadSampleValues(const std::string& path);

// The program's data source, attached to a report for a build. Must outlive the build and the
// prepared pages' use of the report.
class SampleData {
  public:
    // `records` < 0: as many as the values have rows, at least one.
    SampleData(SampleValues values, int records);
    SampleData(const SampleData&) = delete;
    SampleData& operator=(const SampleData&) = delete;

    // Makes the report's data source ours and its unknown names answer from the values:
    // bands outside the data loop (title, page header) read the first row, the summary the
    // last.
    void AttachTo(Report& report);
    int Records() const { return dataset_.rangeEndCount; }

  private:
    SampleValues values_;
    UserDataset dataset_{"userDataset1"};
    ComponentOwner form_;
};

}  // namespace report
