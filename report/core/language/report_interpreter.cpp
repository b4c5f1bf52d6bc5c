#include "report/core/language/report_interpreter.h"

#include "report/core/base/text.h"
#include "report/core/language/build_context.h"
#include "report/core/language/function_library.h"
#include "report/core/value/number_format.h"
#include "report/core/value/variables.h"

namespace report {

namespace {

// "PAGE" followed by a page number (PAGE2): the number, else 0.
int TemplatePageNumber(const std::string& part) {
    if (part.size() < 5 || !SameText(part.substr(0, 4), "PAGE")) return 0;
    int number = 0;
    for (size_t i = 4; i < part.size(); ++i) {
        if (part[i] < '0' || part[i] > '9') return 0;
        number = number * 10 + (part[i] - '0');
        if (number > 1'000'000) return 0;
    }
    return number;
}

}  // namespace

void ReportInterpreter::ReadValue(const std::string& name, Variant& value) {
    if (sharedParser_.OnValueRequest) sharedParser_.OnValueRequest(name, value);
}

void ReportInterpreter::CallFunction(const std::string& name, const Variant& p1, const Variant& p2,
                                     const Variant& p3, Variant& val) {
    if (sharedParser_.OnFunctionCall) sharedParser_.OnFunctionCall(name, p1, p2, p3, val);
}

void ReportInterpreter::AssignValue(const std::string& name, const Variant& value) {
    if (Variant* global = globalVariables_.FindValue(name)) {
        *global = value;
        return;
    }
    BuildContext* build = host_.Build();
    if (build != nullptr) {
        if (build->SetDictionaryVariable(name, value)) return;
        if (SameText(name, "MODALRESULT")) {
            build->SetModalResult(value.ToInt());
            return;
        }
        if (SameText(name, "CURY")) {
            build->SetCurY(value.ToInt());
            return;
        }
        if (SameText(name, "PROGRESS")) {
            build->ShowProgress(value.IsNull() ? std::string() : value.ToText());
            return;
        }
        if (AssignProperty(name, value)) return;
    }
    globalVariables_.Set(name, value);
}

bool ReportInterpreter::AssignProperty(const std::string& name, const Variant& value) {
    BuildContext& build = *host_.Build();
    PropertyAccess* current = build.CurrentObject();
    PropertyAccess* object = current;
    std::string property = name;
    const size_t dot = name.find('.');
    if (dot != std::string::npos) {
        const std::string objectName = name.substr(0, dot);
        const int page = TemplatePageNumber(objectName);
        PropertyAccess* named = page > 0 ? build.TemplatePage(page) : build.FindObject(objectName);
        if (named != nullptr) {
            object = named;
            property = name.substr(dot + 1);
        }
        // Otherwise a compound property of the current object (FONT.NAME), named whole.
    }
    if (object == nullptr || !object->HasProperty(property)) return false;
    object->SetPropertyValue(property, value);
    return true;
}

}  // namespace report
