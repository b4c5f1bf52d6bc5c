// Template files on disk, and the template a form stores in its ReportForm property.
#pragma once
#include <string>

#include "report/core/base/engine_stream.h"

namespace report {

class Report;

// False when no file exists at the path (nothing changes). Load errors are shown through the
// dialog service, not returned. Both remember the path as the report's FileName.
bool LoadTemplateFile(Report& report, const std::string& path);
void SaveTemplateFile(Report& report, const std::string& path);

// The binary form property ReportForm: i32 24, then (StoreInForm) i32 length and a template.
void ReadReportFormProperty(Report& report, EngineStream& s);
void WriteReportFormProperty(Report& report, EngineStream& s);

}  // namespace report
