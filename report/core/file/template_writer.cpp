#include "report/core/file/template_writer.h"

#include "report/core/base/engine_strings.h"
#include "report/core/base/errors.h"
#include "report/core/base/text.h"
#include "report/core/model/model_state.h"
#include "report/core/model/report.h"
#include "report/core/model/view.h"

namespace report {

void CheckTemplateWritable(const Report& report) {
    for (size_t p = kMaxPagesWithObjects; p < report.pages.Count(); ++p) {
        if (report.pages[p].ObjectCount() > 0) {
            throw EngineError(
                FormatMessage(EngineText("template.objects_beyond_page"), {std::to_string(p + 1)}));
        }
    }
}

void WriteTemplate(Report& report, EngineStream& s, TemplateWriteOptions options) {
    CheckTemplateWritable(report);
    WriteU8(s, kCurrentStreamVersion);
    WriteU16(s, report.ignoreStoredPrinter);
    WriteU16(s, report.twoPass);
    const Printer& printer = report.State().printer;
    const std::string& printerName =
        options.keepReportPrinterName ? report.printerName : printer.SelectedName();
    WriteString(s,
                printerName == Printer::VirtualPrinterName() ? std::string("\x01") : printerName);

    for (const auto& page : report.pages) {
        WriteU8(s, 255);
        page->SavePageRecord(s);
    }
    for (size_t p = 0; p < report.pages.Count(); ++p) {
        for (const auto& view : report.pages[p].Objects()) {
            WriteU8(s, view->objectType);
            if (view->objectType == object_type::kAddIn) WriteString(s, view->ClassName());
            WriteU8(s, static_cast<uint8_t>(p));
            const size_t endField = s.Position();
            WriteI32(s, 0);
            const bool prepared = view->inPreparedPage;
            view->inPreparedPage = false;
            view->WriteRecord(s);
            view->inPreparedPage = prepared;
            const size_t end = s.Position();
            s.Seek(endField);
            WriteI32(s, static_cast<int32_t>(end));
            s.Seek(end);
        }
    }
    WriteU8(s, 254);
    report.dictionary.SaveDictionary(s);
}

}  // namespace report
