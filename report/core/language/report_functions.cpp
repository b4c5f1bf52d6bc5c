#include "report/core/language/report_functions.h"

#include "report/core/base/text.h"
#include "report/core/language/build_context.h"
#include "report/core/language/expression_parser.h"
#include "report/core/language/function_library.h"
#include "report/core/language/script_interpreter.h"
#include "report/core/value/variables.h"

namespace report {

namespace {

std::string TextOf(const Variant& argument) {
    if (argument.IsString()) return argument.StringValue();
    return argument.IsEmpty() || argument.IsNull() ? std::string() : argument.ToText();
}

}  // namespace

bool ReportFunctions::Call(const std::string& name, const Variant& p1, const Variant& p2,
                           const Variant& p3, Variant& val) {
    BuildContext* build = host_.Build();
    if (name == "STOPREPORT") {
        if (build != nullptr) build->StopReport();
    } else if (name == "NEWPAGE") {
        if (build != nullptr) build->NewPage();
    } else if (name == "NEWCOLUMN") {
        if (build != nullptr) build->NewColumn();
    } else if (name == "SHOWBAND") {
        if (build != nullptr) build->ShowBand(Trim(TextOf(p1)));
    } else if (name == "INC") {
        Step(p1, 1);
    } else if (name == "DEC") {
        Step(p1, -1);
    } else if (name == "SETARRAY" || name == "GETARRAY") {
        const std::string array = Trim(TextOf(p1));
        const Variant index = host_.Evaluate(TextOf(p2));
        const size_t dot = array.find('.');
        if (dot != std::string::npos) {
            PropertyAccess* object =
                build != nullptr ? build->FindObject(array.substr(0, dot)) : nullptr;
            if (object == nullptr) return true;
            const Variant list = Variant::String(array.substr(dot + 1));
            Variant result;
            if (name == "SETARRAY") {
                object->CallMethod("SETINDEXPROPERTY", list, index, host_.Evaluate(TextOf(p3)),
                                   result);
            } else if (object->CallMethod("GETINDEXPROPERTY", list, index, Variant::Null(),
                                          result)) {
                val = result;
            }
            return true;
        }
        const std::string key = ArrayKey(array, index);
        if (name == "SETARRAY") {
            globalVariables_.Set(key, host_.Evaluate(TextOf(p3)));
        } else {
            val = globalVariables_.Get(key);
        }
    } else {
        const size_t dot = name.find('.');
        if (dot == std::string::npos || build == nullptr) return false;
        PropertyAccess* object = build->FindObject(name.substr(0, dot));
        if (object == nullptr) return false;
        Variant result;
        if (!object->CallMethod(name.substr(dot + 1), p1, p2, p3, result)) return false;
        val = result;
    }
    return true;
}

void ReportFunctions::Step(const Variant& nameText, int delta) {
    const std::string name = Trim(TextOf(nameText));
    Variant value;
    if (parser_.OnValueRequest) parser_.OnValueRequest(name, value);
    const Variant one = Variant::Int32(1);
    interpreter_.AssignValue(name, delta > 0 ? value + one : value - one);
}

std::string ReportFunctions::ArrayKey(const std::string& array, const Variant& index) const {
    const std::string key = index.IsString() ? index.StringValue() : std::to_string(index.ToInt());
    return "Arr_" + array + "_" + key;
}

}  // namespace report
