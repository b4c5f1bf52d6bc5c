#include "report/core/file/template_file.h"

#include <algorithm>
#include <filesystem>

#include "report/core/file/template_reader.h"
#include "report/core/file/template_writer.h"
#include "report/core/model/report.h"

namespace report {

bool LoadTemplateFile(Report& report, const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return false;
    EngineStream s = EngineStream::FromFile(path);
    ReadTemplate(report, s);
    report.fileName = path;
    return true;
}

void SaveTemplateFile(Report& report, const std::string& path) {
    EngineStream s;
    WriteTemplate(report, s);
    s.SaveToFile(path);
    report.fileName = path;
}

void ReadReportFormProperty(Report& report, EngineStream& s) {
    int32_t version = 0;
    ReadI32(s, version);
    if (!report.storeInForm) return;
    int32_t length = 0;
    ReadI32(s, length);
    const size_t available =
        length > 0 ? std::min<size_t>(static_cast<size_t>(length), s.Remaining()) : 0;
    EngineStream embedded(std::string(s.Bytes(), s.Position(), available));
    s.Skip(available);
    ReadTemplate(report, embedded);
}

void WriteReportFormProperty(Report& report, EngineStream& s) {
    // Rendered first, so that a report the format cannot hold leaves the stream untouched.
    EngineStream embedded;
    if (report.storeInForm) WriteTemplate(report, embedded);
    WriteI32(s, kCurrentStreamVersion);
    if (!report.storeInForm) return;
    WriteI32(s, static_cast<int32_t>(embedded.Size()));
    s.Write(embedded.Bytes());
}

}  // namespace report
