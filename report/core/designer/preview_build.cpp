#include "report/core/designer/preview_build.h"

#include <exception>

#include "report/core/base/dialogs.h"
#include "report/core/base/engine_stream.h"
#include "report/core/building/prepared_pages_sink.h"
#include "report/core/building/report_builder.h"
#include "report/core/designer/design_document.h"
#include "report/core/file/template_reader.h"

namespace report {

namespace {

// The builder's own box would show the message a second time.
class QuietBuild {
  public:
    QuietBuild() : previous_(&Dialogs()) { InstallDialogs(&silent_); }
    ~QuietBuild() { InstallDialogs(previous_); }
    QuietBuild(const QuietBuild&) = delete;
    QuietBuild& operator=(const QuietBuild&) = delete;

  private:
    SilentDialogs silent_;
    DialogService* previous_;
};

}  // namespace

PreviewBuild::PreviewBuild(const DesignDocument& document, EngineCore& core,
                           ObjectMeasurer& measurer, TextWidthMeasure* widthMeasure,
                           SampleValues values, int records, ProgressWindow* progress)
    : sample_(std::move(values), records),
      report_(std::make_unique<Report>(document.GetReport().State())) {
    EngineStream stream(document.Serialize(TemplateForm::Binary));
    ReadTemplate(*report_, stream);
    report_->fileName = document.GetReport().fileName;
    sample_.AttachTo(*report_);
    auto pages = std::make_unique<PreparedPages>(*report_);
    pages->SetTextWidthMeasure(widthMeasure);
    PreparedPagesSink sink(*pages);
    QuietBuild quiet;
    try {
        ReportBuilder builder(*report_, core, sink, measurer, progress);
        const bool built = builder.BuildReport();
        if (builder.ErrorOccurred()) {
            errorText_ = builder.ErrorText();
            errorObject_ = builder.ErrorObjectName();
            return;
        }
        if (!built) return;
    } catch (const std::exception& error) {
        errorText_ = error.what();
        return;
    }
    pages_ = std::move(pages);
}

PreviewBuild::~PreviewBuild() = default;

}  // namespace report
