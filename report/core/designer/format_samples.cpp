#include "report/core/designer/format_samples.h"

#include "report/core/base/engine_strings.h"
#include "report/core/value/date_time.h"
#include "report/core/value/display_format.h"
#include "report/core/value/variant.h"

namespace report {
namespace {

constexpr int kLastCategory = format_category::kBoolean;

Variant SampleMoment() {
    return Variant::DateTime(EncodeDate(2026, 12, 11) + EncodeTime(14, 30, 5, 0));
}

}  // namespace

std::vector<int32_t> FormatKindCodes(int decimals, char separator) {
    std::vector<int32_t> codes;
    codes.push_back(MakeFormatCode(format_category::kText, 0, decimals, separator));
    for (int category = format_category::kNumber; category <= kLastCategory; ++category) {
        for (int variant = 0; variant <= kPatternVariant; ++variant)
            codes.push_back(MakeFormatCode(category, variant, decimals, separator));
    }
    return codes;
}

std::string FormatSample(int32_t code, const std::string& pattern) {
    switch (FormatCategory(code)) {
        case format_category::kNumber:
            return FormatDisplayValue(Variant::Double(kSampleNumber), code, pattern);
        case format_category::kDate:
        case format_category::kTime:
            return FormatDisplayValue(SampleMoment(), code, pattern);
        case format_category::kBoolean:
            return FormatDisplayValue(Variant::Int32(0), code, pattern) + " / " +
                   FormatDisplayValue(Variant::Int32(1), code, pattern);
        default:
            return FormatDisplayValue(Variant::String("Tombage"), code, pattern);
    }
}

const std::string& FormatCategoryName(int category) {
    if (category < 0 || category > kLastCategory) category = format_category::kText;
    return EngineText("designer.format_category." + std::to_string(category));
}

}  // namespace report
