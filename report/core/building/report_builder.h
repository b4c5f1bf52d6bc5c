// ReportBuilder: turns a report template and its data sources into prepared pages.
//
// For every design page, run-time bands are made from the band objects and the report objects
// are attached to them; then the page is formed band after band (title, page header, the data
// loops with their headers, groups and footers, summary, page footer), starting new columns and
// pages when a band does not fit. Every placed object is expanded and written to the prepared
// pages. While it builds, the builder is the language's BuildContext.
//
// The template is kept aside in memory for the build and read back afterwards, so whatever the
// build and its scripts change in objects, bands and pages is undone; pointers to the report's
// pages and objects taken before BuildReport do not survive it. All per-object build state
// lives here, not in the template's objects.
//
// Positions and sizes: design pixels.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "report/core/base/band_type.h"
#include "report/core/building/band.h"
#include "report/core/language/build_context.h"

namespace report {

class Dataset;
class EngineCore;
class ObjectMeasurer;
class Page;
class PreparedSink;
class ProgressWindow;
class Report;
class Stretchable;
class View;

// A step of a sub-report's page form, kept to be replayed inside the host's band.
struct DeferredAction {
    enum class Kind { PrintBand, First, Next, Prior };
    Kind kind;
    Band* band = nullptr;  // PrintBand, with the band's counters at the time
    int lineNumber = 0, lineThrough = 0;
    Dataset* source = nullptr;  // First, Next, Prior
};

class ReportBuilder final : public BuildContext {
  public:
    // None of the parts is owned; `progress` may be null (no window is shown).
    ReportBuilder(Report& report, EngineCore& core, PreparedSink& pages, ObjectMeasurer& measurer,
                  ProgressWindow* progress = nullptr);
    // A composite report: `composite` gives the Dataset, the passes, the progress and its
    // page events; every report of `parts`, in order, is built into the same pages (once per
    // record of the Dataset when there is one, else once). A report whose first page is
    // flagged PrintToPrevPage continues on the last page of the one before.
    ReportBuilder(Report& composite, std::vector<Report*> parts, EngineCore& core,
                  PreparedSink& pages, ObjectMeasurer& measurer,
                  ProgressWindow* progress = nullptr);
    ~ReportBuilder() override;
    ReportBuilder(const ReportBuilder&) = delete;
    ReportBuilder& operator=(const ReportBuilder&) = delete;

    // The whole build. False when it was cancelled or an error stopped it; an error shows
    // ErrorText in a message box ("Erreur") and leaves no prepared pages. Errors outside object
    // output (a data source that cannot open, a template error) propagate.
    bool BuildReport();

    bool ErrorOccurred() const { return errorOccurred_; }
    // Design pages set up by the last build (a two-pass build sets them up once).
    int PagesPrepared() const { return pagesPrepared_; }
    // Windows-1252, lines separated by single carriage returns.
    const std::string& ErrorText() const { return errorText_; }
    // The name of the object being output when the error occurred; empty when none was.
    const std::string& ErrorObjectName() const { return errorObjectName_; }

    // ---- BuildContext ----
    void OnGetValue(const std::string& name, Variant& value) override;
    void OnUserFunction(const std::string& name, const Variant& p1, const Variant& p2,
                        const Variant& p3, Variant& val) override;
    bool IsDictionaryName(const std::string& name) override;
    Variant DictionaryValue(const std::string& name) override;
    const Variables* DictionaryVariables() const override;
    int PageIndex() const override { return pageIndex_; }
    int TotalPages() const override { return totalPages_; }
    DateTime RunDate() const override { return runDate_; }
    DateTime RunTime() const override { return runTime_; }
    int LineNumber() const override;
    int LineThrough() const override;
    int ColumnNumber() const override;
    int RecordNumber() const override;
    bool FinalPass() const override { return finalPass_; }
    int CurY() const override;
    void SetCurY(int y) override;
    int BottomY() const override;
    int RightX() const override;
    int PageFooterHeight(const PropertyAccess& page) const override;
    bool HasCurrentView() const override { return currentView_ != nullptr; }
    ViewFormat CurrentViewFormat() const override;
    bool CurrentViewIsText() const override;
    std::vector<std::string> CurrentViewMemo() const override;
    void SetCurrentViewExpandedMemo(std::vector<std::string> lines) override;
    int CurrentViewWidth() const override;
    PropertyAccess* FindObject(const std::string& name) override;
    PropertyAccess* TemplatePage(int number) override;
    PropertyAccess* CurrentObject() override { return scriptObject_; }
    void ShowProgress(const std::string& text) override;
    void StopReport() override { terminated_ = true; }
    void NewPage() override;
    void NewColumn() override;
    void ShowBand(const std::string& name) override;
    std::string CurrentBandName() const override;
    int CurrentBandType() const override;
    bool CurrentBandSharesVerticalObjects() const override;
    bool CrossColumn(int& column, std::string& horizontalBand) const override;
    bool AggregateTarget(std::string& name, int& bandType) const override;
    void RegisterAggregate(const std::string& key, const Variant& initialValue) override;
    bool HasAggregateBand(AggregateHolder holder) const override;
    Variant AggregateValue(AggregateHolder holder, const std::string& key,
                           const std::string& dataBandName) override;

  private:
    struct ObjectState;
    struct PageBuild;
    struct PartBuild;

    // Passes
    bool StartBuild();
    void BuildPass();
    void BuildAllPages();
    void BuildComposite();
    void BeginPage(int index);
    void EndPage(int index);
    void NotifyProgress(int pageNumber);
    // The first pass's bands serve the final pass of a two-pass build.
    bool ReusesBands() const;
    // The final pass of a two-pass build starts from what a one-pass build starts from.
    void StartFinalPass();

    // Preparation
    void PreparePage(Page& page);
    void SetUpBands(PageBuild& build);
    void LinkDataFields(PageBuild& build);
    void BindDataField(View& object);
    void CollectAggregates(Band& band);
    Band& NewBand(PageBuild& build, int kind);
    // The band named by the band's ChildBand among the page's bands (none for itself).
    static Band* FindChildBand(PageBuild& build, const Band& band);
    // Child bands that lead back to a band: EngineError naming them.
    static void RefuseChildCycles(PageBuild& build);
    // Prints the band's child band (its name may have changed by script), refusing a loop.
    void PrintChildBand(Band& band);

    // Forming a page
    void BuildPage(PageBuild& build);
    void RunDataLevel(int level);
    void Navigate(DeferredAction::Kind step, Dataset& source);
    void Push(Band* band);
    void Flush();
    bool PrintBand(Band* band);
    int MeasureBand(Band& band);
    int MeasureOne(Band& band);
    bool FitTest(Band& band, int top, int height, bool testOnly);
    void PlaceBand(Band& band);
    void PlaceObjects(Band& band);
    void PlaceSplitBand(Band& band);
    void OutputObject(Band& band, View& object);
    // Outputs the object with its left edge at `left` (page coordinates).
    void OutputObjectAt(Band& band, View& object, int left);
    void NotifyViewPrint(View& printed);

    // Vertical bands
    int MeasureCross(Band& band);
    void PlaceCross(Band& band);
    Dataset* CrossSourceOf(Band& band);

    // Sub-reports
    void RunSubReports(Band& band, size_t firstObject);
    PageBuild* BuildOfPage(int pageNumber);
    void WritePrepared(Band& band, View& object);
    void StartNewPage();
    void StartNewColumn(Band& band);
    void PrintPageFooters();
    void AddPreparedPage();

    // Aggregates
    // `column`: the cross column (from 1) whose per-column copies accumulate; 0 for none.
    void UpdateAggregates(Band& dataBand, int column = 0);
    void ResetAggregates(Band& band);

    // Helpers
    Band* Head(int kind) const;
    int ColumnFooterHeight() const;
    void RunScript(const std::vector<std::string>& compiled, PropertyAccess* object);
    void ExpandText(View& object);
    // A text object's script, then OnBeforePrint, then its memo expanded unless the handler
    // changed it: the text it prints.
    void PrepareText(View& object);
    // Applies a text object's highlight font and fill when its condition holds for this record.
    void ApplyHighlight(View& object);
    // The height (design pixels) the object needs as it will print: its script run, 0 when
    // it makes itself invisible, measured with the highlight's font.
    int MeasureText(View& object, Stretchable& stretchable);
    void HandleError(const std::exception& error);
    ObjectState& StateOf(View& view);

    Report& composite_;           // the report being built; the composite one for composite builds
    std::vector<Report*> parts_;  // a composite report's reports
    Report* report_;              // the report whose pages are being formed
    EngineCore& core_;
    PreparedSink& pages_;
    ObjectMeasurer& measurer_;
    ProgressWindow* progress_;

    std::vector<std::unique_ptr<PageBuild>> pageBuilds_;
    std::vector<std::unique_ptr<PartBuild>> partBuilds_;  // each report's, between passes
    int pagesPrepared_ = 0;
    std::unordered_map<View*, ObjectState> objectStates_;
    PageBuild* page_ = nullptr;  // the design page being formed
    Band* currentBand_ = nullptr;
    View* currentView_ = nullptr;
    PropertyAccess* scriptObject_ = nullptr;
    Band* aggregateTarget_ = nullptr;
    std::vector<Band*> pending_;
    std::vector<Band*> childChain_;    // bands whose child band is printing, outermost first
    std::vector<View*> notifyViews_;   // objects told after each text object is written
    int crossColumn_ = 0;              // while a cross data band prints: its column, from 1
    Band* crossHorizontal_ = nullptr;  // the horizontal band it prints in
    Band* crossRow_ = nullptr;         // while a row is printed across: its horizontal band
    bool subReportTookOver_ = false;
    bool subReportsSuspended_ = false;  // the placed band's sub-reports go on on the next page
    size_t replaySteps_ = 0;            // sub-report steps replayed, at every nesting level
    Band* splitBand_ = nullptr;  // its objects are written with the ExpandedMemo as it stands

    int pageIndex_ = 0;
    int totalPages_ = 0;
    bool twoPass_ = false;
    bool finalPass_ = true;
    bool firstPass_ = false;
    bool terminated_ = false;
    bool errorOccurred_ = false;
    std::string errorText_;
    std::string errorObjectName_;
    bool appendToPrevious_ = false;
    bool nextContinues_ = false;
    int savedCurY_ = 0;
    int savedBottomY_ = 0;
    bool footerShownOnLast_ = false;
    bool printingFooters_ = false;
    bool repeatingHeaders_ = false;
    bool startingPage_ = false;  // the overlay and headers of a new page are printing
    bool windowOpen_ = false;
    std::string progressPrefix_;
    DateTime runDate_{};
    DateTime runTime_{};
};

}  // namespace report
