#include "report/core/value/display_format.h"

#include <algorithm>

#include "report/core/base/characters.h"
#include "report/core/base/engine_strings.h"
#include "report/core/base/errors.h"
#include "report/core/value/date_time.h"
#include "report/core/value/format_settings.h"
#include "report/core/value/number_format.h"

namespace report {

namespace {

bool IsBlankText(const std::string& text) {
    for (const char c : text) {
        if (!IsBlank(c)) return false;
    }
    return true;
}

// Replaces the locale's decimal separator while a number is formatted.
class DecimalSeparatorScope {
  public:
    explicit DecimalSeparatorScope(char separator) : saved_(Formats().decimalSeparator) {
        if (separator != '\0') Formats().decimalSeparator = separator;
    }
    ~DecimalSeparatorScope() { Formats().decimalSeparator = saved_; }
    DecimalSeparatorScope(const DecimalSeparatorScope&) = delete;
    DecimalSeparatorScope& operator=(const DecimalSeparatorScope&) = delete;

  private:
    char saved_;
};

std::string FormatNumber(const Variant& value, int32_t code, const std::string& pattern) {
    const DecimalSeparatorScope scope(FormatSeparator(code));
    const int decimals = FormatDecimals(code);
    const double x = value.ToReal();
    switch (FormatVariant(code)) {
        case 0:
            return FormatFloat(EngineText("format.number.0") + std::string(decimals, '#'), x);
        case 1:
            return FloatToStrFixed(x, decimals, 15);
        case 2:
            return FormatFloat(EngineText("format.number.2") + std::string(decimals, '#'), x);
        case 3:
            return FloatToStrNumber(x, decimals, 15);
        default:
            return FormatFloat(pattern, x);
    }
}

std::string DatePattern(int variant, const std::string& pattern) {
    if (variant >= 0 && variant <= 2) return EngineText("format.date." + std::to_string(variant));
    if (variant == 3) return Formats().longDateFormat;
    return pattern;
}

std::string TimePattern(int variant, const std::string& pattern) {
    if (variant >= 0 && variant <= 3) return EngineText("format.time." + std::to_string(variant));
    return pattern;
}

std::string FormatBoolean(const Variant& value, int variant, const std::string& pattern) {
    const std::string format = variant >= 0 && variant <= 3
                                   ? EngineText("format.bool." + std::to_string(variant))
                                   : pattern;
    const size_t semicolon = format.find(';');
    const std::string whenZero = format.substr(0, semicolon);
    const std::string otherwise =
        semicolon == std::string::npos ? std::string() : format.substr(semicolon + 1);
    return value.ToInt() == 0 ? whenZero : otherwise;
}

}  // namespace

int32_t DefaultFormatCode() {
    return MakeFormatCode(format_category::kText, 0, 2, Formats().decimalSeparator);
}

void ApplyFormatSuffix(std::string& text, DisplayFormat& format) {
    const size_t mark = text.find(" #");
    if (mark == std::string::npos) return;
    std::string suffix = text.substr(mark + 2);
    text.resize(mark);
    if (suffix.empty()) return;
    const char first = suffix.front();
    if (IsDigit(first) || first == 'N' || first == 'n') {
        if (IsDigit(first)) suffix.insert(suffix.begin(), 'N');
        const bool fixed = suffix.size() > 1 && IsDigit(suffix[1]);
        char separator = FormatSeparator(format.code);
        if (separator == '\0') separator = Formats().decimalSeparator;
        int decimals = 0;
        for (size_t i = suffix.size() - 1; i >= 1; --i) {
            const char c = suffix[i];
            if (c == ',' || c == '-' || c == '.') {
                separator = c;
                suffix[i] = '.';
                if (fixed) {
                    for (size_t d = i + 1; d < suffix.size() && IsDigit(suffix[d]); ++d) {
                        decimals = std::min(decimals * 10 + (suffix[d] - '0'), 255);
                    }
                }
                break;
            }
        }
        if (fixed) {
            format.code = MakeFormatCode(format_category::kNumber, 1, decimals, separator);
        } else {
            format.code =
                MakeFormatCode(format_category::kNumber, kPatternVariant, decimals, separator);
            format.pattern = suffix.substr(1);
        }
    } else if (first == 'D' || first == 'd' || first == 'T' || first == 't') {
        format.code = MakeFormatCode(format_category::kDate, kPatternVariant,
                                     FormatDecimals(format.code), FormatSeparator(format.code));
        format.pattern = suffix.substr(1);
    } else if (first == 'B' || first == 'b') {
        format.code = MakeFormatCode(format_category::kBoolean, kPatternVariant,
                                     FormatDecimals(format.code), FormatSeparator(format.code));
        format.pattern = suffix.substr(1);
    }
}

std::string FormatDisplayValue(const Variant& value, int32_t formatCode,
                               const std::string& formatPattern) {
    if (value.IsEmpty() || value.IsNull()) return {};
    if (value.IsString() && IsBlankText(value.StringValue())) return {};
    try {
        const int variant = FormatVariant(formatCode);
        switch (FormatCategory(formatCode)) {
            case format_category::kNumber:
                return FormatNumber(value, formatCode, formatPattern);
            case format_category::kDate:
                return FormatDateTime(DatePattern(variant, formatPattern), value.ToReal());
            case format_category::kTime:
                return FormatDateTime(TimePattern(variant, formatPattern), value.ToReal());
            case format_category::kBoolean:
                return FormatBoolean(value, variant, formatPattern);
            default:
                return value.ToText();
        }
    } catch (const EngineError&) {
        return value.ToText();
    }
}

}  // namespace report
