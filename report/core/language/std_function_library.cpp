#include "report/core/language/std_function_library.h"

#include <string>

#include "report/core/base/band_type.h"
#include "report/core/base/dialogs.h"
#include "report/core/base/engine_strings.h"
#include "report/core/base/text.h"
#include "report/core/language/build_context.h"
#include "report/core/language/installed_functions.h"
#include "report/core/value/date_time.h"
#include "report/core/value/edit_mask.h"
#include "report/core/value/number_format.h"

namespace report {

namespace {

// In index order: alphabetical.
enum Function {
    kAvg,
    kCount,
    kDayOf,
    kFormatDateTime,
    kFormatFloat,
    kFormatText,
    kInput,
    kLength,
    kLowerCase,
    kMax,
    kMaxNum,
    kMessageBox,
    kMin,
    kMinNum,
    kMonthOf,
    kNameCase,
    kPos,
    kSum,
    kTrim,
    kUpperCase,
    kYearOf,
};

std::vector<std::string> FunctionNames() {
    return {"AVG",        "COUNT",      "DAYOF",  "FORMATDATETIME", "FORMATFLOAT",
            "FORMATTEXT", "INPUT",      "LENGTH", "LOWERCASE",      "MAX",
            "MAXNUM",     "MESSAGEBOX", "MIN",    "MINNUM",         "MONTHOF",
            "NAMECASE",   "POS",        "SUM",    "TRIM",           "UPPERCASE",
            "YEAROF"};
}

constexpr int kCodeSum = 11;
constexpr int kCodeMin = 12;
constexpr int kCodeMax = 13;
constexpr int kCodeAvg = 14;
constexpr int kCodeCount = 15;

const char kSeparator = '\x01';

// The descriptions by category, in the order the function editor lists them.
struct CategoryNames {
    const char* category;  // key in the string table
    std::vector<const char*> names;
};

const std::vector<CategoryNames>& DescribedFunctions() {
    static const std::vector<CategoryNames> table = {
        {"func.cat.aggregate", {"AVG", "COUNT", "MAX", "MIN", "SUM"}},
        {"func.cat.datetime",
         {"DAYOF", "MONTHOF", "YEAROF", "STRTODATE", "STRTOTIME", "DATE", "TIME"}},
        {"func.cat.string",
         {"FORMATDATETIME", "FORMATFLOAT", "FORMATTEXT", "LENGTH", "LOWERCASE", "NAMECASE", "TRIM",
          "UPPERCASE", "POS", "COPY", "STR"}},
        {"func.cat.other",
         {"INPUT", "MESSAGEBOX", "IF", "PAGE#", "LINE#", "LINETHROUGH#", "COLUMN#", "TOTALPAGES"}},
        {"func.cat.math", {"MAXNUM", "MINNUM", "MOD", "ROUND", "FRAC", "INT"}},
        {"func.cat.logical", {"NOT", "AND", "OR", "TRUE", "FALSE"}},
        {"func.cat.interpreter",
         {"MROK", "MRCANCEL", "CURY", "FREESPACE", "FINALPASS", "PAGEHEIGHT", "PAGEWIDTH",
          "PROGRESS", "MODALRESULT", "STOPREPORT", "NEWPAGE", "NEWCOLUMN", "SHOWBAND", "INC",
          "DEC"}},
    };
    return table;
}

// The data band kind that a band's aggregates total when the call names no band.
int ImpliedDataBand(int holdingBandType) {
    switch (holdingBandType) {
        case band_type::kReportSummary:
        case band_type::kPageFooter:
        case band_type::kMasterFooter:
        case band_type::kGroupFooter:
            return band_type::kMasterData;
        case band_type::kDetailFooter:
            return band_type::kDetailData;
        case band_type::kSubDetailFooter:
            return band_type::kSubDetailData;
        case band_type::kCrossFooter:
            return band_type::kCrossData;
        default:
            return -1;
    }
}

// The argument text as the parser hands it over (a string value).
std::string TextOf(const Variant& argument) {
    if (argument.IsString()) return argument.StringValue();
    return argument.IsEmpty() || argument.IsNull() ? std::string() : argument.ToText();
}

}  // namespace

std::string AggregateKey(std::string_view prefix, std::string_view bandName, int code,
                         std::string_view expression, std::string_view includeInvisible) {
    std::string key(prefix);
    key += bandName;
    key += kSeparator;
    key += static_cast<char>(code);
    key += kSeparator;
    key += expression;
    key += kSeparator;
    key += includeInvisible;
    key += kSeparator;
    return key;
}

StdFunctionLibrary::StdFunctionLibrary(FunctionLibraryHost& host)
    : FunctionLibrary(FunctionNames()), host_(host) {}

void StdFunctionLibrary::AddDescriptions(InstalledFunctions& functions) {
    for (const CategoryNames& group : DescribedFunctions()) {
        const std::string& category = EngineText(group.category);
        for (const char* name : group.names) {
            functions.Add(this, name, category, EngineText(std::string("func.desc.") + name));
        }
    }
}

Variant StdFunctionLibrary::Arg(const Variant& text) const {
    return host_.Evaluate(TextOf(text));
}

void StdFunctionLibrary::Compute(int index, const Variant& p1, const Variant& p2, const Variant& p3,
                                 Variant& val) {
    val = Variant::String("0");
    switch (index) {
        case kAvg:
            Aggregate(kCodeAvg, p1, p2, p3, val);
            break;
        case kCount:
            Aggregate(kCodeCount, p1, p2, p3, val);
            break;
        case kMax:
            Aggregate(kCodeMax, p1, p2, p3, val);
            break;
        case kMin:
            Aggregate(kCodeMin, p1, p2, p3, val);
            break;
        case kSum:
            Aggregate(kCodeSum, p1, p2, p3, val);
            break;
        case kDayOf:
            val = Variant::Int32(DecodeDate(Arg(p1).ToReal()).day);
            break;
        case kMonthOf:
            val = Variant::Int32(DecodeDate(Arg(p1).ToReal()).month);
            break;
        case kYearOf:
            val = Variant::Int32(DecodeDate(Arg(p1).ToReal()).year);
            break;
        case kFormatDateTime: {
            const std::string pattern = Arg(p1).ToText();
            val = Variant::String(FormatDateTime(pattern, Arg(p2).ToReal()));
            break;
        }
        case kFormatFloat: {
            const std::string pattern = Arg(p1).ToText();
            val = Variant::String(FormatFloat(pattern, Arg(p2).ToReal()));
            break;
        }
        case kFormatText: {
            // The mask's literals are left out of the result and a blank marks each empty place.
            const Variant mask = Arg(p1) + Variant::String(";0; ");
            val = Variant::String(FormatMaskText(mask.ToText(), Arg(p2).ToText()));
            break;
        }
        case kInput: {
            const std::string prompt = Arg(p1).ToText();
            // A call without a default proposes an empty field.
            std::string value = Trim(TextOf(p2)).empty() ? std::string() : Arg(p2).ToText();
            Dialogs().AskText("", prompt, value);
            val = Variant::String(value);
            break;
        }
        case kLength:
            val = Variant::Int32(static_cast<int32_t>(Arg(p1).ToText().size()));
            break;
        case kLowerCase:
            val = Variant::String(LowerCase(Arg(p1).ToText()));
            break;
        case kUpperCase:
            val = Variant::String(UpperCase(Arg(p1).ToText()));
            break;
        case kNameCase: {
            std::string text = LowerCase(Arg(p1).ToText());
            if (!text.empty()) text.front() = UpperCaseChar(text.front());
            val = Variant::String(text);
            break;
        }
        case kTrim:
            val = Variant::String(Trim(Arg(p1).ToText()));
            break;
        case kPos: {
            const std::string sub = Arg(p1).ToText();
            const std::string text = Arg(p2).ToText();
            const size_t found = sub.empty() ? std::string::npos : text.find(sub);
            val = Variant::Int32(found == std::string::npos ? 0 : static_cast<int32_t>(found) + 1);
            break;
        }
        case kMaxNum: {
            Variant a = Arg(p1);
            Variant b = Arg(p2);
            val = Compare(a, b) > 0 ? std::move(a) : std::move(b);
            break;
        }
        case kMinNum: {
            Variant a = Arg(p1);
            Variant b = Arg(p2);
            val = Compare(a, b) < 0 ? std::move(a) : std::move(b);
            break;
        }
        case kMessageBox: {
            const std::string text = Arg(p1).ToText();
            const std::string title = Arg(p2).ToText();
            const int buttons = Arg(p3).ToInt();
            val = Variant::Int32(Dialogs().ShowMessage(text, title, buttons));
            break;
        }
        default:
            break;
    }
}

void StdFunctionLibrary::Aggregate(int code, const Variant& p1, const Variant& p2,
                                   const Variant& p3, Variant& val) {
    BuildContext* build = host_.Build();
    if (build == nullptr) return;
    // COUNT(band [, 1]): the band name also stands in the expression place of the key.
    const std::string expression = TextOf(p1);
    std::string bandName = Trim(code == kCodeCount ? TextOf(p1) : TextOf(p2));
    const std::string includeInvisible = Trim(code == kCodeCount ? TextOf(p2) : TextOf(p3));

    if (host_.LinkingMode()) {
        std::string targetName;
        int targetType = -1;
        if (!build->AggregateTarget(targetName, targetType)) return;
        if (bandName.empty()) {
            if (ImpliedDataBand(build->CurrentBandType()) != targetType) return;
            bandName = targetName;
        }
        if (!SameText(bandName, targetName)) return;
        const bool perColumn = build->CurrentBandSharesVerticalObjects() &&
                               build->CurrentBandType() != band_type::kCrossFooter;
        const std::string prefix = perColumn ? std::string("0") + kSeparator : std::string();
        build->RegisterAggregate(
            AggregateKey(prefix, build->CurrentBandName(), code, expression, includeInvisible),
            code == kCodeMin ? Variant::Double(1e300) : Variant::Int32(0));
        return;
    }

    AggregateHolder holder = AggregateHolder::CurrentBand;
    std::string prefix;
    std::string holderName = build->CurrentBandName();
    int column = 0;
    std::string horizontalBand;
    if (build->CrossColumn(column, horizontalBand)) {
        holder = AggregateHolder::HorizontalBand;
        prefix = std::to_string(column) + kSeparator;
        holderName = horizontalBand;
    } else if (build->CurrentBandSharesVerticalObjects() &&
               build->CurrentBandType() != band_type::kCrossFooter) {
        prefix = std::string("0") + kSeparator;
    }
    if (!build->HasAggregateBand(holder)) return;
    val = build->AggregateValue(
        holder, AggregateKey(prefix, holderName, code, expression, includeInvisible), bandName);
}

}  // namespace report
