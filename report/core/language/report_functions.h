// ReportFunctions: the report's own statement functions, tried for every call that no function
// library handles (names arrive upper-cased, arguments as their texts):
//   STOPREPORT, NEWPAGE, NEWCOLUMN, SHOWBAND(band name)   -- through the BuildContext
//   INC(name), DEC(name)   -- reads the name through the value hook, adds or subtracts 1 and
//                             assigns the result through the script interpreter
//   SETARRAY(array, index, value), GETARRAY(array, index)
//       -- GlobalVariables entry "Arr_" + array + "_" + key, the key being the index's text when
//          it is a string, else its integer form; GETARRAY of a missing entry gives Null.
//          With "Object.List" as the array, the object's indexed property: CallMethod
//          "SETINDEXPROPERTY" / "GETINDEXPROPERTY" with p1 the list name (e.g. "LINES"),
//          p2 the index value and p3 the value.
//   Object.Method(...)     -- the object's CallMethod with the three argument texts.
#pragma once

#include <string>

#include "report/core/value/variant.h"

namespace report {

class FunctionLibraryHost;
class Interpreter;
class Parser;
class Variables;

class ReportFunctions {
  public:
    // `host`: evaluation and the report being built; `parser`: the shared parser, whose value
    // hook INC and DEC read through; `interpreter`: assignments of INC and DEC.
    ReportFunctions(FunctionLibraryHost& host, Parser& parser, Variables& globalVariables,
                    Interpreter& interpreter)
        : host_(host),
          parser_(parser),
          globalVariables_(globalVariables),
          interpreter_(interpreter) {}

    // True when the name is one of the report's functions; its result, if any, goes to `val`.
    bool Call(const std::string& name, const Variant& p1, const Variant& p2, const Variant& p3,
              Variant& val);

  private:
    void Step(const Variant& nameText, int delta);
    std::string ArrayKey(const std::string& array, const Variant& index) const;

    FunctionLibraryHost& host_;
    Parser& parser_;
    Variables& globalVariables_;
    Interpreter& interpreter_;
};

}  // namespace report
