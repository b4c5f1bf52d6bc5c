#include "app/logic/print_draw.h"

#include <sys/stat.h>

#include <ctime>
#include <utility>

#include "report/core/base/errors.h"

namespace app {

PrintDraw::PrintDraw(const DrawGrid& grid, std::string resultsPath)
    : grid_(grid), resultsPath_(std::move(resultsPath)) {}

int PrintDraw::RecordCount() const {
    const int rows = grid_.RowCount() - 1;
    return rows > 0 ? rows : 0;
}

void PrintDraw::Report1GetValue(int record, const std::string& name, report::Variant& value) const {
    const int row = record + 1;
    if (name == "joueur1") {
        value = report::Variant::String(grid_.Cell(kReceivingColumn, row));
    } else if (name == "joueur2") {
        const std::string visiting = grid_.Cell(kVisitingColumn, row);
        value = report::Variant::String(visiting == "0" ? std::string() : visiting);
    } else if (name == "Date1" || name == "Heure1") {
        value = report::Variant::DateTime(FileWriteDate(resultsPath_));
    } else if (name == "Num") {
        value = report::Variant::String(grid_.Cell(kLabelColumn, row));
    }
}

report::DateTime FileWriteDate(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) throw report::FileOpenError(path);
    std::tm local{};
    if (localtime_r(&status.st_mtime, &local) == nullptr) throw report::FileOpenError(path);
    const int second = (local.tm_sec > 59 ? 59 : local.tm_sec) / 2 * 2;
    return report::EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
           report::EncodeTime(local.tm_hour, local.tm_min, second, 0);
}

}  // namespace app
