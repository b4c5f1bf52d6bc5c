// The pages of a build painted into a PDF file while the build goes on, so that memory holds a
// few pages whatever the length of the report. Only in builds with Qt (TOMBAGE_ETAT_QT).
#pragma once

#if TOMBAGE_ETAT_QT
#include "report/core/building/prepared_pages_sink.h"
#include "report/core/prepared/prepared_pages.h"

namespace report {
class BuildContext;
class Report;
}  // namespace report

namespace etat {

class PdfPageWriter;

// A page goes to the file once kOpenPages newer pages exist; the pages of a first pass are
// only counted. A build may still write to a page that is already in the file (a cross-tab
// running over many pages): the file is then not the report, which Finish tells.
class StreamedPdfSink final : public report::PreparedSink {
  public:
    static constexpr int kOpenPages = 4;

    // None is owned; all must outlive the sink.
    StreamedPdfSink(report::Report& report, PdfPageWriter& pdf);
    // The build whose passes are followed; without one every pass is the final one.
    void FollowPasses(const report::BuildContext& build) { build_ = &build; }

    void Clear() override;
    void AddPage(const report::Page& designPage) override;
    void WriteObject(int pageIndex, report::View& object) override;
    int PageCount() const override;

    // Paints the pages still open. False, painting nothing more, when the build wrote to a
    // page already painted.
    bool Finish();

  private:
    bool FinalPass() const;
    void PaintOldest();

    report::PreparedPages open_;  // the pages not painted yet, from page painted_ on
    report::PreparedPagesSink openSink_;
    PdfPageWriter& pdf_;
    const report::BuildContext* build_ = nullptr;
    int painted_ = 0;
    int counted_ = 0;  // pages of a first pass
    bool spoilt_ = false;
};

}  // namespace etat
#endif
