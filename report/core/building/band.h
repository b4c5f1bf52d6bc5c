// Band: the run-time band made from a band object (or an empty placeholder of a kind) when a
// design page is prepared for a build, and freed when the build ends.
//
// Positions and sizes are design pixels; objects keep tops relative to the band while the
// build runs. Visibility is the band object's own flag, so that HIDE, SHOW and Visible from any
// script reach the band that prints.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "report/core/base/band_type.h"
#include "report/core/building/aggregate_list.h"
#include "report/core/language/property_access.h"
#include "report/core/model/band_data_source.h"
#include "report/core/value/variant.h"

namespace report {

class BandView;
class Dataset;
class Page;
class Report;
class View;

class Band final : public PropertyAccess {
  public:
    Band(int kind, Page& page) : kind(kind), page(&page) {}
    Band(const Band&) = delete;
    Band& operator=(const Band&) = delete;
    ~Band() override;

    // Takes name, flags, switches, geometry and scripts of the band object and binds its data
    // source (a group header compiles its condition instead, see groupCondition). The band
    // object's script methods then act on this band's data source.
    void TakeFrom(BandView& object, Report& report, bool subReportPage);

    bool Exists() const { return view != nullptr; }
    bool IsVisible() const;
    bool HasFlag(uint16_t bit) const { return (flags & bit) != 0; }
    Dataset* DataSource() const { return dataSource.Get(); }
    bool IsDataBand() const {
        return kind == band_type::kMasterData || kind == band_type::kDetailData ||
               kind == band_type::kSubDetailData;
    }

    // LEFT, TOP, WIDTH, HEIGHT, VISIBLE, DATASOURCE, CHILDBAND while the build runs.
    bool HasProperty(std::string_view name) const override;
    Variant GetPropertyValue(std::string_view name) const override;
    void SetPropertyValue(std::string_view name, const Variant& value) override;
    bool CallMethod(std::string_view name, const Variant& p1, const Variant& p2, const Variant& p3,
                    Variant& result) override;

    int kind;
    Page* page;
    BandView* view = nullptr;
    uint16_t flags = 0;
    bool stretched = false;
    bool printIfSubsetEmpty = false;
    bool formNewPage = false;
    bool breaked = false;
    bool printChildIfInvisible = false;
    std::string name;
    int left = 0, top = 0, width = 0, height = 0;
    std::vector<View*> objects;       // attached, in order
    std::vector<std::string> script;  // compiled
    BandDataSource dataSource;
    // The source named for this band by a cross data band's DataSource list.
    BandDataSource crossSource;
    // Some attached objects also lie in a vertical band: they print once per cross record.
    bool sharesCrossObjects = false;

    Band* next = nullptr;
    Band* previous = nullptr;
    Band* lastOfKind = nullptr;  // kept by the head of a kind
    Band* header = nullptr;
    Band* footer = nullptr;
    Band* dataBand = nullptr;
    Band* firstGroup = nullptr;
    Band* lastGroup = nullptr;
    Band* nextGroup = nullptr;
    Band* previousGroup = nullptr;
    Band* groupFooter = nullptr;
    Band* childBand = nullptr;
    std::string childBandName;

    std::string groupCondition;  // postfix
    Variant lastGroupValue;
    int lineNumber = 0;
    int lineThrough = 0;

    int computedHeight = -1;
    int drawnHeight = 0;
    int pageBreaksAsked = 0;
    int columnBreaksAsked = 0;
    bool positionKept = false;

    AggregateList aggregates;
    int recordsCounted = 0;
    Band* aggregateBand = nullptr;

    int acrossPosition = 1;
    int acrossStart = 0;
    bool fitted = true;

  private:
    bool placeholderVisible_ = true;
    Report* report_ = nullptr;
};

}  // namespace report
