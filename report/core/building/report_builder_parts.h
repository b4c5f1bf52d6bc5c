// Build state shared by the files of ReportBuilder: per-object and per-page state, and the
// small helpers they use. Private to report/core/building.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "report/core/base/band_type.h"
#include "report/core/base/errors.h"
#include "report/core/building/band.h"
#include "report/core/building/report_builder.h"
#include "report/core/model/band_view.h"
#include "report/core/model/view.h"

namespace report {

class DataAccess;
class Dataset;
class MemoView;

namespace bt = band_type;

namespace build_detail {

// A height no band has: asking a page for it always starts a new column or page.
constexpr int kImpossibleHeight = 10000;
constexpr size_t kMaxPendingBands = 100;
// Positions and sizes beyond this (design pixels at 96 per inch: some eight metres, a roll of
// paper) come from damaged files.
constexpr int32_t kMaxCoordinate = 30'000;

inline int DataKind(int level) {
    return level == 1 ? bt::kMasterData : level == 2 ? bt::kDetailData : bt::kSubDetailData;
}

inline bool IsStretchable(View& view) {
    return dynamic_cast<Stretchable*>(&view) != nullptr;
}

// The error of a loop of child bands: `chain` holds `again` earlier on; the message names the
// bands from there and `again` once more ("A, B, A").
EngineError ChildLoopError(const std::vector<Band*>& chain, const Band& again);

// Sets a variable for one scope and puts its value back afterwards.
template <typename T>
class Scoped {
  public:
    Scoped(T& variable, T value) : variable_(variable), saved_(variable) { variable_ = value; }
    ~Scoped() { variable_ = saved_; }
    Scoped(const Scoped&) = delete;
    Scoped& operator=(const Scoped&) = delete;

  private:
    T& variable_;
    T saved_;
};

}  // namespace build_detail

// Build state of one report object, kept here rather than in the template's objects.
struct ReportBuilder::ObjectState {
    std::vector<std::string> script;  // compiled
    std::string highlight;            // postfix of the highlight condition
    std::string lastPrinted;          // for Suppress
    bool hasLastPrinted = false;
    bool notPlaced = true;
    MemoView* memo = nullptr;  // the object as a text object, when it is one
    bool subReport = false;
    Band* crossBand = nullptr;  // the vertical band it also lies in
    // Binding to a data field (LinkDataFields).
    DataAccess* fieldDataSet = nullptr;
    std::string fieldName;
    int savedHeight = 0;
};

// Run-time bands and page cursor of one design page.
struct ReportBuilder::PageBuild {
    Page* page = nullptr;
    // The band object standing for the objects that lie in no band, when there are any.
    std::unique_ptr<BandView> looseObjectsBand;
    std::vector<std::unique_ptr<Band>> bands;
    std::array<Band*, kBandTypeCount> heads{};
    std::vector<std::string> script;  // the page's, compiled
    int topY = 0, leftX = 0, rightX = 0, baseBottom = 0;
    int columns = 1, columnWidth = 0, columnGap = 0;
    int curY = 0, bottomY = 0, curX = 0;
    int columnIndex = 0, columnTop = 0;
    // CurY once a page or column has started and its headers printed: a band placed there is
    // at the top of a fresh column, where breaking again would only leave blank pages.
    int freshY = 0;
    bool AtFreshTop() const { return curY <= freshY; }
    int columnCounter = 1, recordCounter = 1;
    Band* lastPlaced = nullptr;
    // Sub-report target being formed: steps are recorded, then replayed inside the host band.
    bool recording = false;
    std::vector<DeferredAction> actions;
    size_t replayed = 0;  // actions done so far
    // A band of this sub-report page whose own sub-reports did not fit: when the band prints
    // again on the next page, they go on from where they stopped.
    Band* suspendedBand = nullptr;
    std::vector<PageBuild*> suspendedSubs;
};

// A composite report's part, set up in the first pass and kept for the final one.
struct ReportBuilder::PartBuild {
    std::vector<std::unique_ptr<PageBuild>> pageBuilds;
    std::unordered_map<View*, ObjectState> objectStates;
    std::vector<View*> notifyViews;
};

}  // namespace report
