// ReportBuilder: the passes of a build, progress and the build error handler.
#include "report/core/building/report_builder.h"

#include <exception>
#include <utility>
#include <vector>

#include "report/core/base/dialogs.h"
#include "report/core/base/engine_strings.h"
#include "report/core/building/prepared_sink.h"
#include "report/core/building/progress_window.h"
#include "report/core/building/report_builder_parts.h"
#include "report/core/data/dataset.h"
#include "report/core/file/template_reader.h"
#include "report/core/file/template_writer.h"
#include "report/core/language/engine_core.h"
#include "report/core/model/model_state.h"
#include "report/core/model/report.h"
#include "report/core/model/subreport_view.h"

namespace report {

using namespace build_detail;

ReportBuilder::ReportBuilder(Report& report, EngineCore& core, PreparedSink& pages,
                             ObjectMeasurer& measurer, ProgressWindow* progress)
    : composite_(report),
      report_(&report),
      core_(core),
      pages_(pages),
      measurer_(measurer),
      progress_(progress) {}

ReportBuilder::ReportBuilder(Report& composite, std::vector<Report*> parts, EngineCore& core,
                             PreparedSink& pages, ObjectMeasurer& measurer,
                             ProgressWindow* progress)
    : ReportBuilder(composite, core, pages, measurer, progress) {
    parts_ = std::move(parts);
}

ReportBuilder::~ReportBuilder() = default;

bool ReportBuilder::BuildReport() {
    ModelState& state = report_->State();
    Scoped<DocumentMode> mode(state.documentMode, DocumentMode::Printing);
    Scoped<const BuildContext*> building(state.buildContext, this);
    if (report_->ignoreStoredPrinter == 0) report_->SelectPrinterByName(report_->printerName);
    runDate_ = Today();
    runTime_ = TimeNow();
    currentBand_ = nullptr;
    currentView_ = nullptr;
    twoPass_ = report_->twoPass != 0;
    if (!twoPass_) totalPages_ = 0;
    core_.Resolver().Attach(this);
    struct Detach {
        ValueResolver& resolver;
        ~Detach() {
            resolver.Attach(nullptr);
            resolver.SetLinkingMode(false);
        }
    } detach{core_.Resolver()};
    if (report_->onBeginDoc) report_->onBeginDoc();

    // Every report of the build is kept aside and read back afterwards.
    std::vector<Report*> kept = {&composite_};
    kept.insert(kept.end(), parts_.begin(), parts_.end());
    std::vector<EngineStream> templates(kept.size());
    for (size_t i = 0; i < kept.size(); ++i)
        WriteTemplate(*kept[i], templates[i], TemplateWriteOptions{true});
    pagesPrepared_ = 0;
    const auto restore = [&] {
        pageBuilds_.clear();
        partBuilds_.clear();
        objectStates_.clear();
        report_ = &composite_;
        for (size_t i = 0; i < kept.size(); ++i) {
            templates[i].Seek(0);
            ReadTemplate(*kept[i], templates[i]);
        }
    };
    bool result = false;
    try {
        result = StartBuild();
    } catch (...) {
        restore();
        throw;
    }
    finalPass_ = false;
    report_ = &composite_;
    if (report_->onEndDoc) report_->onEndDoc();
    restore();
    finalPass_ = true;

    if (errorOccurred_) {
        Dialogs().ShowMessage(errorText_, EngineText(55206), mb::kOk | mb::kIconError);
        pages_.Clear();
        result = false;
    }
    currentBand_ = nullptr;
    currentView_ = nullptr;
    return result;
}

bool ReportBuilder::StartBuild() {
    terminated_ = false;
    firstPass_ = false;
    finalPass_ = true;
    pageIndex_ = 0;
    pages_.Clear();
    std::string caption = EngineText("progress.caption");
    if (!report_->title.empty()) caption += " - " + report_->title;
    if (twoPass_) {
        firstPass_ = true;
        finalPass_ = false;
        progressPrefix_ = EngineText("progress.first_pass");
    } else {
        progressPrefix_ = EngineText("progress.page");
    }
    if (progress_ == nullptr || report_->onProgress || !report_->showProgress) {
        BuildPass();
        return true;
    }
    if (!twoPass_) totalPages_ = 0;
    windowOpen_ = true;
    // Nothing may leave the window's modal loop by an exception: the error is carried out
    // and raised again once the window is closed.
    std::exception_ptr escaped;
    const auto work = [this, &escaped] {
        try {
            BuildPass();
        } catch (...) {
            escaped = std::current_exception();
            terminated_ = true;
            progress_->Close(ProgressWindow::Result::Cancel);
        }
    };
    const ProgressWindow::Result result =
        progress_->RunModal(caption, progressPrefix_ + "  1", work, [this] { terminated_ = true; });
    windowOpen_ = false;
    if (escaped) std::rethrow_exception(escaped);
    return result != ProgressWindow::Result::Cancel;
}

void ReportBuilder::BuildPass() {
    // Each pass starts on an empty page: nothing to continue from the pass before.
    savedCurY_ = 0;
    savedBottomY_ = 0;
    footerShownOnLast_ = false;
    if (parts_.empty())
        BuildAllPages();
    else
        BuildComposite();
    if (finalPass_) {
        if (progress_ != nullptr && windowOpen_)
            progress_->Close(terminated_ ? ProgressWindow::Result::Cancel
                                         : ProgressWindow::Result::Ok);
        return;
    }
    // The first pass of a two-pass build has ended: its page count is the total.
    totalPages_ = pages_.PageCount();
    if (terminated_) {
        pages_.Clear();
        if (progress_ != nullptr && windowOpen_) progress_->Close(ProgressWindow::Result::Cancel);
        return;
    }
    terminated_ = false;
    firstPass_ = false;
    finalPass_ = true;
    pageIndex_ = 0;
    pages_.Clear();
    progressPrefix_ = EngineText("progress.page");
    BuildPass();
}

void ReportBuilder::BuildComposite() {
    Dataset* source = composite_.dataset;
    if (source != nullptr) {
        source->Init();
        source->First();
    }
    if (ReusesBands() && firstPass_) {
        partBuilds_.clear();
        for (size_t i = 0; i < parts_.size(); ++i)
            partBuilds_.push_back(std::make_unique<PartBuild>());
    }
    do {
        for (size_t i = 0; i < parts_.size() && !terminated_; ++i) {
            Report& part = *parts_[i];
            PartBuild* stored = ReusesBands() ? partBuilds_[i].get() : nullptr;
            nextContinues_ = i + 1 < parts_.size() && parts_[i + 1]->pages.Count() > 0 &&
                             parts_[i + 1]->pages[0].printToPrevPage != 0;
            // Once per record, each report starts again from its template.
            EngineStream kept;
            if (source != nullptr) WriteTemplate(part, kept, TemplateWriteOptions{true});
            report_ = &part;
            if (stored != nullptr && finalPass_) {
                pageBuilds_ = std::move(stored->pageBuilds);
                objectStates_ = std::move(stored->objectStates);
                notifyViews_ = std::move(stored->notifyViews);
            }
            if (part.onBeginDoc) part.onBeginDoc();
            BuildAllPages();
            if (stored != nullptr && firstPass_) {
                stored->pageBuilds = std::move(pageBuilds_);
                stored->objectStates = std::move(objectStates_);
                stored->notifyViews = std::move(notifyViews_);
                pageBuilds_.clear();
                objectStates_.clear();
                notifyViews_.clear();
            }
            if (finalPass_ && part.onEndDoc) part.onEndDoc();
            appendToPrevious_ = nextContinues_;
            report_ = &composite_;
            if (source != nullptr) {
                kept.Seek(0);
                ReadTemplate(part, kept);
            }
        }
        if (source == nullptr) break;
        source->Next();
    } while (!source->Eof() && !terminated_);
    if (source != nullptr) source->Exit();
    nextContinues_ = false;
    appendToPrevious_ = false;
}

bool ReportBuilder::ReusesBands() const {
    // A composite report with a Dataset reads each template back after every record, which
    // ends the bands made from it.
    return twoPass_ && (parts_.empty() || composite_.dataset == nullptr);
}

void ReportBuilder::BeginPage(int index) {
    if (report_->onBeginPage) report_->onBeginPage(index);
    if (&composite_ != report_ && composite_.onBeginPage) composite_.onBeginPage(index);
}

void ReportBuilder::EndPage(int index) {
    if (report_->onEndPage) report_->onEndPage(index);
    if (&composite_ != report_ && composite_.onEndPage) composite_.onEndPage(index);
}

void ReportBuilder::NotifyProgress(int pageNumber) {
    if (composite_.onProgress) {
        composite_.onProgress(pageNumber);
        return;
    }
    if (!composite_.showProgress || progress_ == nullptr || !windowOpen_) return;
    std::string label = progressPrefix_ + "  " + std::to_string(pageNumber);
    if (twoPass_ && finalPass_)
        label += " " + EngineText("progress.of") + " " + std::to_string(totalPages_);
    progress_->SetLabel(label);
}

void ReportBuilder::BuildAllPages() {
    report_->State().WaitForPrinter();
    report_->dictionary.fieldCache.clear();
    errorOccurred_ = false;
    // The final pass of a two-pass build reuses the first pass's bands.
    const bool finalOfTwo = ReusesBands() && finalPass_;
    Dataset* multiple = report_->reportType == ReportType::rtMultiple ? report_->dataset : nullptr;
    if (multiple != nullptr) {
        multiple->Init();
        multiple->First();
    }
    if (!finalOfTwo) {
        // Dialog pages are taken as confirmed.
        pageBuilds_.clear();
        objectStates_.clear();
        notifyViews_.clear();
        // Sub-report targets are known before any page is set up: their bands differ.
        for (const auto& page : report_->pages)
            page->isSubReportPage = false;
        for (const auto& page : report_->pages) {
            for (const auto& object : page->Objects()) {
                auto* subReport = dynamic_cast<SubReportView*>(object.get());
                if (subReport == nullptr) continue;
                const int target = subReport->subReportPage;
                if (target >= 0 && static_cast<size_t>(target) < report_->pages.Count())
                    report_->pages[static_cast<size_t>(target)].isSubReportPage = true;
            }
        }
        for (const auto& page : report_->pages) {
            if (page->IsReportPage()) PreparePage(*page);
        }
        for (auto& build : pageBuilds_) {
            LinkDataFields(*build);
            if (terminated_) break;
        }
    } else {
        StartFinalPass();
    }
    do {
        for (size_t i = 0; i < pageBuilds_.size() && !terminated_; ++i) {
            PageBuild& build = *pageBuilds_[i];
            page_ = &build;
            Page& page = *build.page;
            if (page.visible == 0) RunScript(build.script, &page);
            if (page.visible != 0 && !page.isSubReportPage) {
                if (report_->onManualBuild)
                    report_->onManualBuild(page);
                else
                    BuildPage(build);
            }
            const bool lastPage = i + 1 == pageBuilds_.size();
            appendToPrevious_ =
                (lastPage && nextContinues_ && (multiple == nullptr || multiple->Eof())) ||
                (!lastPage && pageBuilds_[i + 1]->page->printToPrevPage != 0);
            // Nothing to continue before the first prepared page (the forms so far served
            // as sub-reports only).
            if (appendToPrevious_ && pages_.PageCount() == 0) appendToPrevious_ = false;
            if (appendToPrevious_) {
                --pageIndex_;
            } else {
                pageIndex_ = pages_.PageCount();
                NotifyProgress(pageIndex_);
            }
        }
        if (multiple == nullptr) break;
        multiple->Next();
    } while (!multiple->Eof() && !terminated_);
    if (multiple != nullptr) multiple->Exit();
    page_ = nullptr;
    if (!(ReusesBands() && firstPass_)) {
        // The first pass of a two-pass build keeps its bands for the final pass.
        pageBuilds_.clear();
        objectStates_.clear();
    }
}

void ReportBuilder::StartFinalPass() {
    // The bands and links of the first pass serve again; what they counted does not.
    for (auto& build : pageBuilds_) {
        build->recordCounter = 1;
        build->columnCounter = 1;
        build->lastPlaced = nullptr;
        build->actions.clear();
        build->replayed = 0;
        build->suspendedBand = nullptr;
        build->suspendedSubs.clear();
        for (auto& band : build->bands)
            band->StartPass();
    }
    for (auto& [view, state] : objectStates_) {
        state.hasLastPrinted = false;
        state.lastPrinted.clear();
    }
}

void ReportBuilder::RunScript(const std::vector<std::string>& compiled, PropertyAccess* object) {
    if (compiled.empty()) return;
    Scoped<PropertyAccess*> running(scriptObject_, object);
    core_.Interpreter().RunScript(compiled);
}

void ReportBuilder::HandleError(const std::exception& error) {
    if (errorOccurred_) return;  // the first error tells the story
    errorOccurred_ = true;
    std::string text = EngineText("build.error");
    if (currentView_ != nullptr)
        for (const std::string& line : currentView_->memo)
            text += "\r" + line;
    text += "\r\r" + EngineText("build.error_report") + " " + report_->Name() + "\r";
    if (currentView_ != nullptr) {
        text += EngineText("build.error_object") + " " + currentView_->name + "\r";
        errorObjectName_ = currentView_->name;
    }
    text += "\r";
    text += error.what();
    errorText_ = text;
    terminated_ = true;
}

}  // namespace report
