// ReportBuilder: accumulating, resetting and reading aggregates.
#include "report/core/building/report_builder.h"

#include <algorithm>
#include <exception>

#include "report/core/base/errors.h"
#include "report/core/base/text.h"
#include "report/core/building/report_builder_parts.h"
#include "report/core/language/engine_core.h"

namespace report {

using namespace build_detail;

void ReportBuilder::UpdateAggregates(Band& dataBand, int column) {
    if (dataBand.aggregates.IsEmpty()) return;
    const auto evaluate = [this](const std::string& text) {
        return core_.Resolver().Evaluate(text);
    };
    try {
        if (column > 0)
            dataBand.aggregates.AccumulateColumn(column, dataBand.IsVisible(), evaluate);
        else
            dataBand.aggregates.Accumulate(dataBand.IsVisible(), evaluate);
    } catch (const std::exception& error) {
        HandleError(error);
    }
}

void ReportBuilder::ResetAggregates(Band& band) {
    if (band.kind == bt::kGroupHeader) {
        for (Band* g = &band; g != nullptr; g = g->nextGroup) {
            try {
                g->lastGroupValue = core_.SharedParser().EvaluatePostfix(g->groupCondition);
            } catch (const std::exception& error) {
                HandleError(error);
                return;
            }
        }
        return;
    }
    for (Band* data : band.aggregateBands)
        data->aggregates.ResetShownBy(band.name);
}

bool ReportBuilder::AggregateTarget(std::string& name, int& bandType) const {
    if (aggregateTarget_ == nullptr) return false;
    name = aggregateTarget_->name;
    bandType = aggregateTarget_->kind;
    return true;
}

void ReportBuilder::RegisterAggregate(const std::string& key, const Variant& initialValue) {
    if (aggregateTarget_ == nullptr || currentBand_ == nullptr) return;
    aggregateTarget_->aggregates.Register(key, initialValue);
    std::vector<Band*>& linked = currentBand_->aggregateBands;
    if (std::find(linked.begin(), linked.end(), aggregateTarget_) == linked.end())
        linked.push_back(aggregateTarget_);
}

bool ReportBuilder::HasAggregateBand(AggregateHolder holder) const {
    const Band* band = holder == AggregateHolder::HorizontalBand ? crossHorizontal_ : currentBand_;
    return band != nullptr && !band->aggregateBands.empty();
}

bool ReportBuilder::CurrentBandSharesVerticalObjects() const {
    return currentBand_ != nullptr && currentBand_->sharesCrossObjects;
}

bool ReportBuilder::CrossColumn(int& column, std::string& horizontalBand) const {
    if (crossColumn_ == 0 || crossHorizontal_ == nullptr) return false;
    column = crossColumn_;
    horizontalBand = crossHorizontal_->name;
    return true;
}

Variant ReportBuilder::AggregateValue(AggregateHolder holder, const std::string& key,
                                      const std::string& dataBandName) {
    if (!HasAggregateBand(holder)) return Variant::Int32(0);
    const Band* band = holder == AggregateHolder::HorizontalBand ? crossHorizontal_ : currentBand_;
    AggregateEntry* entry = nullptr;
    for (Band* data : band->aggregateBands) {
        if (!dataBandName.empty() && !SameText(data->name, dataBandName)) continue;
        entry = data->aggregates.Find(key);
        if (entry != nullptr) break;
    }
    if (entry == nullptr) return Variant::Int32(0);
    if (entry->code == aggregate_code::kAvg) {
        // An average of no records is 0 rather than an error that stops the build.
        if (entry->records == 0) return Variant::Int32(0);
        return Variant::Double(entry->value.ToReal() / entry->records);
    }
    return entry->value;
}

}  // namespace report
