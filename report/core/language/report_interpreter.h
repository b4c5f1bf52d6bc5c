// ReportInterpreter: the script interpreter of the report engine.
//
// Scripts read names and call functions exactly as report expressions do: ReadValue and
// CallFunction forward to the hooks of the engine's shared parser (ResolveName and
// DispatchFunction). An assignment `name := value` goes, in this order, to:
//   1. GlobalVariables when it holds the name;
//   2. the dictionary variable of that name;
//   3. MODALRESULT (any case): the current dialog page's modal result, as an integer;
//   4. CURY: the current page's position, as an integer;
//   5. PROGRESS: the second line of the progress window, as text;
//   6. an object property: `Prop` of the object whose script runs; `Obj.Prop` of the report
//      object Obj, or of template page n for `PAGEn`; or, when no object has that name, the
//      current object's compound property (FONT.NAME);
//   7. otherwise a new entry of GlobalVariables.
#pragma once

#include "report/core/language/script_interpreter.h"

namespace report {

class FunctionLibraryHost;
class PropertyAccess;
class Variables;

class ReportInterpreter : public Interpreter {
  public:
    // `sharedParser`: the engine's parser whose hooks give names and functions their values;
    // `host`: the report being built.
    ReportInterpreter(Parser& sharedParser, FunctionLibraryHost& host, Variables& globalVariables)
        : sharedParser_(sharedParser), host_(host), globalVariables_(globalVariables) {}

    void ReadValue(const std::string& name, Variant& value) override;
    void AssignValue(const std::string& name, const Variant& value) override;
    void CallFunction(const std::string& name, const Variant& p1, const Variant& p2,
                      const Variant& p3, Variant& val) override;

  private:
    bool AssignProperty(const std::string& name, const Variant& value);

    Parser& sharedParser_;
    FunctionLibraryHost& host_;
    Variables& globalVariables_;
};

}  // namespace report
