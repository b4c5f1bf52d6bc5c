// Writing a report template stream (.etf), always as version 24: the report header, every
// page, every object of every page (with its end position), then the dictionary.
#pragma once

#include "report/core/engine_stream.h"

namespace report {

class Report;

struct TemplateWriteOptions {
    // The engine stores the printer selected now; file tools keep the report's own PrinterName
    // so that a template does not change with the machine it passes through.
    bool keepReportPrinterName = false;
};

void WriteTemplate(Report& report, EngineStream& s, TemplateWriteOptions options = {});

}  // namespace report
