// The designer's preview: the template built with the engine over sample records. The build
// works on a copy of the document's report, so that nothing it does (scripts, the template it
// keeps aside and reads back) reaches the design.
#pragma once

#include <memory>
#include <string>

#include "report/core/designer/sample_values.h"
#include "report/core/model/report.h"
#include "report/core/prepared/prepared_pages.h"

namespace report {

class DesignDocument;
class EngineCore;
class ObjectMeasurer;
class ProgressWindow;
class TextWidthMeasure;

class PreviewBuild {
  public:
    // Builds at once. `measurer` lays text out with the preview's fonts; `widthMeasure` (may be
    // null) settles auto-width texts; `progress` may be null. No message box is shown: a
    // failure is in ErrorText.
    PreviewBuild(const DesignDocument& document, EngineCore& core, ObjectMeasurer& measurer,
                 TextWidthMeasure* widthMeasure, SampleValues values, int records,
                 ProgressWindow* progress = nullptr);
    ~PreviewBuild();
    PreviewBuild(const PreviewBuild&) = delete;
    PreviewBuild& operator=(const PreviewBuild&) = delete;

    bool Succeeded() const { return pages_ != nullptr; }
    // The engine's message (Windows-1252, CR line breaks); empty after a success or a cancel.
    const std::string& ErrorText() const { return errorText_; }
    // The object the message names, or empty.
    const std::string& ErrorObject() const { return errorObject_; }

    // The report the pages belong to; lives as long as this object.
    Report& BuiltReport() { return *report_; }
    std::unique_ptr<PreparedPages> TakePages() { return std::move(pages_); }

  private:
    SampleData sample_;
    std::unique_ptr<Report> report_;
    std::unique_ptr<PreparedPages> pages_;
    std::string errorText_;
    std::string errorObject_;
};

}  // namespace report
