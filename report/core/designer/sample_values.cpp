#include "report/core/designer/sample_values.h"

#include <algorithm>
#include <sstream>

#include "report/core/base/errors.h"
#include "report/core/base/text.h"
#include "report/core/base/whole_file.h"
#include "report/core/model/report.h"

namespace report {

namespace {

std::vector<std::string> SplitFields(const std::string& line) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        const size_t semicolon = line.find(';', start);
        fields.push_back(line.substr(start, semicolon - start));
        if (semicolon == std::string::npos) return fields;
        start = semicolon + 1;
    }
}

}  // namespace

SampleValues ReadSampleValues(const std::string& path) {
    std::istringstream file(ReadWholeFile(path));
    SampleValues table;
    std::string line;
    bool header = true;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (header && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
        if (IsValidUtf8(line)) line = Utf8ToCp1252(line);
        if (header) {
            table.names = SplitFields(line);
            header = false;
        } else if (!line.empty()) {
            table.rows.push_back(SplitFields(line));
        }
    }
    return table;
}

SampleData::SampleData(SampleValues values, int records) : values_(std::move(values)) {
    // Without a values file one record; with one, a record per row.
    if (records < 0) records = values_.names.empty() ? 1 : static_cast<int>(values_.rows.size());
    dataset_.rangeEnd = RangeEnd::reCount;
    dataset_.rangeEndCount = records;
    form_.Add(dataset_);
}

void SampleData::AttachTo(Report& report) {
    report.SetOwnerForm(&form_);
    report.dataset = &dataset_;
    report.onGetValue = [this](const std::string& name, Variant& value) {
        if (values_.rows.empty()) return;
        const int last = static_cast<int>(values_.rows.size()) - 1;
        const size_t row = static_cast<size_t>(std::clamp(dataset_.RecordNo(), 0, last));
        for (size_t column = 0; column < values_.names.size(); ++column) {
            if (values_.names[column] != name) continue;
            const auto& fields = values_.rows[row];
            value = Variant::String(column < fields.size() ? fields[column] : "");
            return;
        }
    };
}

}  // namespace report
