#include "report/core/designer/band_settings.h"

#include "report/core/base/band_type.h"
#include "report/core/base/engine_strings.h"
#include "report/core/base/errors.h"
#include "report/core/base/text.h"
#include "report/core/designer/design_document.h"
#include "report/core/designer/expression_check.h"
#include "report/core/model/band_view.h"
#include "report/core/model/page.h"
#include "report/core/model/report.h"

namespace report {
namespace {

struct NamedFlag {
    std::string_view name;
    uint16_t bit;
};

constexpr std::array<NamedFlag, 7> kFlags = {{
    {"FormNewPage", view_flag::kFormNewPage},
    {"PrintIfSubsetEmpty", view_flag::kPrintIfSubsetEmpty},
    {"Breaked", view_flag::kBreaked},
    {"OnFirstPage", view_flag::kOnFirstPage},
    {"OnLastPage", view_flag::kOnLastPage},
    {"RepeatHeader", view_flag::kRepeatHeader},
    {"PrintChildIfInvisible", view_flag::kPrintChildIfInvisible},
}};

bool IsDataBand(int type) {
    return type == band_type::kMasterData || type == band_type::kDetailData ||
           type == band_type::kSubDetailData || type == band_type::kCrossData;
}

const BandView* FindBand(const Report& report, std::string_view name) {
    return dynamic_cast<const BandView*>(report.FindObject(name));
}

void CheckSettings(const Report& report, const BandView& band, const BandSettings& settings) {
    if (band.BandTypeCode() == band_type::kGroupHeader) {
        if (Trim(settings.dataSource).empty())
            throw EngineError(EngineText("designer.group_condition_empty"));
        if (auto refusal = ExpressionRefusal(settings.dataSource))
            throw EngineError(FormatMessage(EngineText("designer.group_condition"), {*refusal}));
    }
    if (!settings.childBand.empty()) {
        const BandView* child = FindBand(report, settings.childBand);
        if (child == nullptr)
            throw EngineError(
                FormatMessage(EngineText("designer.not_a_band"), {settings.childBand}));
        if (child == &band) throw EngineError(EngineText("designer.child_of_itself"));
    }
    if (!settings.master.empty()) {
        const BandView* master = FindBand(report, settings.master);
        if (master == nullptr || !IsDataBand(master->BandTypeCode()))
            throw EngineError(
                FormatMessage(EngineText("designer.not_a_data_band"), {settings.master}));
    }
    if (settings.columns < 1 || settings.columns > kMaxBandColumns)
        throw EngineError(FormatMessage(EngineText("designer.columns_range"),
                                        {"1", std::to_string(kMaxBandColumns)}));
    if (settings.columnWidth < 0 || settings.columnGap < 0)
        throw EngineError(EngineText("designer.column_size"));
    const std::vector<std::string> errors = ScriptErrors(settings.script);
    if (!errors.empty()) throw EngineError(errors.front());
}

}  // namespace

const std::array<std::string_view, 7>& BandFlagNames() {
    static const std::array<std::string_view, 7> names = [] {
        std::array<std::string_view, 7> result;
        for (size_t i = 0; i < kFlags.size(); ++i)
            result[i] = kFlags[i].name;
        return result;
    }();
    return names;
}

uint16_t BandFlagBit(std::string_view name) {
    for (const NamedFlag& flag : kFlags) {
        if (SameText(flag.name, name)) return flag.bit;
    }
    throw EngineError(FormatMessage(EngineText("designer.unknown_band_flag"), {std::string(name)}));
}

void BandSettings::SetFlag(std::string_view name, bool on) {
    const uint16_t bit = BandFlagBit(name);
    flags = on ? static_cast<uint16_t>(flags | bit) : static_cast<uint16_t>(flags & ~bit);
}

BandSettings ReadBandSettings(const BandView& band) {
    BandSettings settings;
    settings.dataSource = band.formatPattern;
    settings.master = band.master;
    settings.childBand = band.childBand;
    settings.flags = band.flags;
    settings.columns = band.columns;
    settings.columnWidth = band.columnWidth;
    settings.columnGap = band.columnGap;
    settings.script = band.memo;
    return settings;
}

bool ApplyBandSettings(DesignDocument& document, BandView& band, const BandSettings& settings) {
    CheckSettings(document.GetReport(), band, settings);
    band.formatPattern = Trim(settings.dataSource);
    band.master = settings.master;
    band.childBand = settings.childBand;
    band.flags = settings.flags;
    band.columns = settings.columns;
    band.columnWidth = settings.columnWidth;
    band.columnGap = settings.columnGap;
    band.memo = settings.script;
    return document.Commit();
}

BandChoices BandSettingChoices(const Report& report, const BandView& band) {
    BandChoices choices;
    for (size_t p = 0; p < report.pages.Count(); ++p) {
        const Page& page = report.pages[p];
        for (size_t i = 0; i < page.ObjectCount(); ++i) {
            const auto* other = dynamic_cast<const BandView*>(&page.ObjectAt(i));
            if (other == nullptr || other == &band) continue;
            if (IsDataBand(other->BandTypeCode())) choices.masters.push_back(other->name);
            choices.children.push_back(other->name);
        }
    }
    return choices;
}

}  // namespace report
