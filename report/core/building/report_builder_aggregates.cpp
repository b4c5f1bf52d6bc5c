// ReportBuilder: accumulating, resetting and reading aggregates.
#include "report/core/building/report_builder.h"

#include <exception>

#include "report/core/base/errors.h"
#include "report/core/building/report_builder_parts.h"
#include "report/core/language/engine_core.h"

namespace report {

using namespace build_detail;

void ReportBuilder::UpdateAggregates(Band& dataBand, int column) {
    if (dataBand.aggregates.IsEmpty()) {
        if (column == 0) ++dataBand.recordsCounted;
        return;
    }
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
    // The record was counted once already, outside the columns.
    if (column == 0) ++dataBand.recordsCounted;
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
    if (band.aggregateBand == nullptr) return;
    band.aggregateBand->aggregates.ResetShownBy(band.name);
    band.aggregateBand->recordsCounted = 0;
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
    currentBand_->aggregateBand = aggregateTarget_;
}

bool ReportBuilder::HasAggregateBand(AggregateHolder holder) const {
    const Band* band = holder == AggregateHolder::HorizontalBand ? crossHorizontal_ : currentBand_;
    return band != nullptr && band->aggregateBand != nullptr;
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

Variant ReportBuilder::AggregateValue(AggregateHolder holder, const std::string& key) {
    if (!HasAggregateBand(holder)) return Variant::Int32(0);
    const Band* band = holder == AggregateHolder::HorizontalBand ? crossHorizontal_ : currentBand_;
    Band& data = *band->aggregateBand;
    AggregateEntry* entry = data.aggregates.Find(key);
    if (entry == nullptr) return Variant::Int32(0);
    if (entry->code == aggregate_code::kAvg) {
        if (data.recordsCounted == 0) throw FloatingPointError();
        return Variant::Double(entry->value.ToReal() / data.recordsCounted);
    }
    return entry->value;
}

}  // namespace report
