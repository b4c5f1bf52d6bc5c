// Writing a report template stream (.etf), always as version 24: the report header, every
// page, every object of every page (with its end position), then the dictionary.
#pragma once

#include <cstddef>

#include "report/core/base/engine_stream.h"

namespace report {

class Report;

struct TemplateWriteOptions {
    // The engine stores the printer selected now; file tools keep the report's own PrinterName
    // so that a template does not change with the machine it passes through.
    bool keepReportPrinterName = false;
};

// Object records store the index of their page in one byte: objects can sit on the first 256
// pages only (pages beyond may exist, empty).
inline constexpr size_t kMaxPagesWithObjects = 256;

// Throws EngineError ("template.objects_beyond_page") when the report holds objects on a page the
// format cannot address; a save must not write a file whose objects land on the wrong page.
void CheckTemplateWritable(const Report& report);

// Writes nothing and throws (CheckTemplateWritable) when the report cannot be stored.
void WriteTemplate(Report& report, EngineStream& s, TemplateWriteOptions options = {});

}  // namespace report
