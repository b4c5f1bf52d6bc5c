#include "report/core/language/value_resolver.h"

#include <utility>

#include "report/core/base/errors.h"
#include "report/core/base/split_lines.h"
#include "report/core/language/expression_scanner.h"
#include "report/core/language/language_errors.h"
#include "report/core/language/nesting_guard.h"
#include "report/core/language/report_functions.h"
#include "report/core/value/display_format.h"

namespace report {

namespace {

bool HidesZero(VariantKind kind) {
    switch (kind) {
        case VariantKind::Empty:
        case VariantKind::Null:
        case VariantKind::Int16:
        case VariantKind::Int32:
        case VariantKind::Single:
        case VariantKind::Double:
        case VariantKind::Currency:
            return true;
        default:
            return false;
    }
}

// Puts a name back as the one being resolved when its evaluation ends, whichever way.
class ResolvingNameScope {
  public:
    ResolvingNameScope(std::string& current, const std::string& name)
        : current_(current), saved_(std::exchange(current, name)) {}
    ~ResolvingNameScope() { current_ = std::move(saved_); }
    ResolvingNameScope(const ResolvingNameScope&) = delete;
    ResolvingNameScope& operator=(const ResolvingNameScope&) = delete;

  private:
    std::string& current_;
    std::string saved_;
};

}  // namespace

ValueResolver::ValueResolver(Parser& parser, Variables& globalVariables, const Variables& constants,
                             FunctionLibraries& libraries)
    : parser_(parser),
      globalVariables_(globalVariables),
      constants_(constants),
      libraries_(libraries) {
    parser_.OnValueRequest = [this](const std::string& name, Variant& value) {
        ResolveName(name, value);
    };
    parser_.OnFunctionCall = [this](const std::string& name, const Variant& p1, const Variant& p2,
                                    const Variant& p3,
                                    Variant& val) { DispatchFunction(name, p1, p2, p3, val); };
}

void ValueResolver::ResolveName(const std::string& name, Variant& value) {
    NestingGuard guard(depth_);
    BuildContext& context = Context();
    value = Variant();
    context.OnGetValue(name, value);
    if (!value.IsEmpty()) return;

    value = Variant::Int32(0);
    if (context.IsDictionaryName(name)) {
        value = context.DictionaryValue(name);
    } else if (!ResolveReportVariable(name, value)) {
        if (const Variant* global = globalVariables_.FindValue(name)) {
            value = *global;
        } else {
            value = Variant();
            if (!ResolveSystemName(name, value)) {
                if (const Variant* constant = constants_.FindValue(name)) value = *constant;
            }
        }
    }
    if (!value.IsEmpty()) return;

    if (name != resolvingName_) {
        const ResolvingNameScope scope(resolvingName_, name);
        value = parser_.Evaluate(name);
    } else if (!linkingMode_) {
        throw UndefinedSymbolError(name);
    } else {
        value = Variant::Int32(0);
    }
}

bool ValueResolver::ResolveReportVariable(const std::string& name, Variant& value) {
    BuildContext& context = Context();
    if (name == "VALUE") {
        if (&value != &lastValue_) value = lastValue_;
    } else if (name == "PAGE#") {
        value = Variant::Int32(context.PageIndex() + 1);
    } else if (name == "DATE") {
        value = Variant::DateTime(context.RunDate());
    } else if (name == "TIME") {
        value = Variant::DateTime(context.RunTime());
    } else if (name == "LINE#") {
        value = Variant::Int32(context.LineNumber());
    } else if (name == "LINETHROUGH#") {
        value = Variant::Int32(context.LineThrough());
    } else if (name == "COLUMN#") {
        value = Variant::Int32(context.ColumnNumber());
    } else if (name == "CURRENT#") {
        value = Variant::Int32(context.RecordNumber());
    } else if (name == "TOTALPAGES") {
        value = Variant::Int32(context.TotalPages());
    } else if (name == "CALCWIDTH") {
        value = CalcWidth();
    } else {
        return false;
    }
    return true;
}

bool ValueResolver::ResolveSystemName(const std::string& name, Variant& value) {
    BuildContext& context = Context();
    if (name == "CURY") {
        value = Variant::Int32(context.CurY());
    } else if (name == "FREESPACE") {
        value = Variant::Int32(context.BottomY() - context.CurY());
    } else if (name == "FINALPASS") {
        value = Variant::Boolean(context.FinalPass());
    } else if (name == "PAGEHEIGHT") {
        value = Variant::Int32(context.BottomY());
    } else if (name == "PAGEWIDTH") {
        value = Variant::Int32(context.RightX());
    } else {
        const size_t dot = name.find('.');
        if (dot == std::string::npos) return false;
        PropertyAccess* object = context.FindObject(name.substr(0, dot));
        const std::string_view property = std::string_view(name).substr(dot + 1);
        if (object == nullptr || !object->HasProperty(property)) return false;
        value = object->GetPropertyValue(property);
    }
    return true;
}

Variant ValueResolver::CalcWidth() {
    BuildContext& context = Context();
    if (!context.HasCurrentView()) return Variant::Int32(0);
    if (!context.CurrentViewIsText()) return Variant::Int32(context.CurrentViewWidth());
    context.SetCurrentViewExpandedMemo(
        ExpandMemo(context.CurrentViewMemo(), context.CurrentViewFormat().textOnly));
    return Variant::Int32(context.MeasureCurrentViewText());
}

void ValueResolver::DispatchFunction(const std::string& name, const Variant& p1, const Variant& p2,
                                     const Variant& p3, Variant& val) {
    val = Variant::String("0");
    if (libraries_.Dispatch(name, p1, p2, p3, val)) return;
    if (reportFunctions_ != nullptr) reportFunctions_->Call(name, p1, p2, p3, val);
    Context().OnUserFunction(name, p1, p2, p3, val);
}

std::string ValueResolver::ResolveBracketedValue(std::string_view text) {
    resolvingName_.clear();
    BuildContext& context = Context();
    DisplayFormat format;
    bool hideZeros = false;
    if (context.HasCurrentView()) {
        ViewFormat view = context.CurrentViewFormat();
        format.code = view.formatCode;
        format.pattern = std::move(view.formatPattern);
        hideZeros = view.hideZeros;
    }
    std::string name(text);
    ApplyFormatSuffix(name, format);

    lastValue_ = Variant::Int32(0);
    ResolveName(name, lastValue_);
    if (hideZeros) {
        try {
            if (HidesZero(lastValue_.Kind()) && Compare(lastValue_, Variant::Int32(0)) == 0) {
                lastValue_ = Variant::String("");
            }
        } catch (const EngineError&) {
            // Not comparable with 0 (an empty value): shown as it is.
        }
    }
    if (linkingMode_) return {};
    return FormatDisplayValue(lastValue_, format.code, format.pattern);
}

void ValueResolver::ExpandText(std::string& text) {
    size_t i = 0;
    for (;;) {
        while (i + 1 < text.size() && text[i] != '[')
            ++i;
        const BracketedPart part = FindBracketedPart(text, i);
        if (part.end == i || !part.closed) return;
        const std::string inner(part.inner);
        const std::string display = ResolveBracketedValue(inner);
        text.replace(i, part.end - i, display);
        i += display.size();
    }
}

std::vector<std::string> ValueResolver::ExpandMemo(const std::vector<std::string>& memo,
                                                   bool textOnly) {
    std::vector<std::string> lines;
    for (const std::string& line : memo) {
        std::string text = line;
        if (!text.empty() && !textOnly) ExpandText(text);
        if (text.empty()) {
            lines.emplace_back();
        } else {
            // An expansion may hold line breaks: each starts a line of its own.
            for (std::string& part : SplitLines(text))
                lines.push_back(std::move(part));
        }
    }
    return lines;
}

}  // namespace report
