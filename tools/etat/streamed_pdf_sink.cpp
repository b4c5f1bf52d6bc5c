#include "tools/etat/streamed_pdf_sink.h"

#if TOMBAGE_ETAT_QT

#include "report/core/language/build_context.h"
#include "tools/etat/page_output.h"

namespace etat {

StreamedPdfSink::StreamedPdfSink(report::Report& report, PdfPageWriter& pdf)
    : open_(report), openSink_(open_), pdf_(pdf) {}

bool StreamedPdfSink::FinalPass() const {
    return build_ == nullptr || build_->FinalPass();
}

void StreamedPdfSink::Clear() {
    // painted pages cannot be taken back
    if (painted_ > 0) spoilt_ = true;
    openSink_.Clear();
    counted_ = 0;
}

void StreamedPdfSink::AddPage(const report::Page& designPage) {
    if (!FinalPass()) {
        ++counted_;
        return;
    }
    openSink_.AddPage(designPage);
    while (!spoilt_ && open_.PageCount() > kOpenPages)
        PaintOldest();
}

void StreamedPdfSink::WriteObject(int pageIndex, report::View& object) {
    if (!FinalPass()) return;  // a first pass only counts its pages
    if (pageIndex < painted_) {
        spoilt_ = true;
        return;
    }
    openSink_.WriteObject(pageIndex - painted_, object);
}

int StreamedPdfSink::PageCount() const {
    return FinalPass() ? painted_ + open_.PageCount() : counted_;
}

void StreamedPdfSink::PaintOldest() {
    pdf_.AddPage(open_, 0);
    open_.RemovePage(0);
    ++painted_;
}

bool StreamedPdfSink::Finish() {
    while (!spoilt_ && open_.PageCount() > 0)
        PaintOldest();
    return !spoilt_;
}

}  // namespace etat
#endif
