// The report options the template keeps: whether the report is built in two passes, and the
// printer it is meant for. Read as one record and written back as one undo step.
//
// Texts are Windows-1252. The title and ModifyPrepared belong to the program that prints the
// report, not to the template: the designer does not offer them, since a change would be lost
// on saving.
#pragma once

#include <string>

namespace report {

class DesignDocument;
class Report;

struct ReportOptions {
    bool twoPass = false;
    std::string printerName;  // empty: the printer selected when printing
};

ReportOptions ReadReportOptions(const Report& report);

// Writes the options to the document's report and commits one step; the printer is selected
// when this machine has it, and the report pages are measured again on it. EngineError with the
// French message and the report unchanged when the printer name is neither empty, the report's own
// nor a printer of this machine. Returns whether anything changed.
bool ApplyReportOptions(DesignDocument& document, const ReportOptions& options);

}  // namespace report
