// ValueResolver: turns names, function calls and bracketed texts of a report into values and
// printed text.
//
// It installs itself as the shared parser's hooks (ResolveName and DispatchFunction). The build
// state comes from the BuildContext attached while a report builds; without one, a neutral
// context answers (page 1, counters 0, no objects, no host handlers).
//
// Resolution order of a name (ResolveName):
//   1. the host's OnGetValue (the name as received); any value it assigns ends the search;
//   2. the dictionary; VALUE (the last bracketed value); PAGE#, DATE, TIME, LINE#,
//      LINETHROUGH#, COLUMN#, CURRENT#, TOTALPAGES, CALCWIDTH; GlobalVariables;
//   3. CURY, FREESPACE, FINALPASS, PAGEHEIGHT, PAGEWIDTH; Object.Property; Constants;
//   4. the name evaluated as an expression, which passes its parts back here upper-cased. A name
//      that comes back to itself raises UndefinedSymbolError (Symbole non défini "NAME"), or
//      gives 0 while LinkingMode is set.
// Built-in and system names compare exactly (upper case); GlobalVariables and Constants
// without regard to case.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "report/core/language/build_context.h"
#include "report/core/language/expression_parser.h"
#include "report/core/language/function_libraries.h"
#include "report/core/language/function_library.h"
#include "report/core/value/variables.h"

namespace report {

class ReportFunctions;

class ValueResolver : public FunctionLibraryHost {
  public:
    ValueResolver(Parser& parser, Variables& globalVariables, const Variables& constants,
                  FunctionLibraries& libraries);
    ValueResolver(const ValueResolver&) = delete;
    ValueResolver& operator=(const ValueResolver&) = delete;

    // The report being built (not owned), or null when no build runs.
    void Attach(BuildContext* build) { build_ = build; }
    BuildContext* Build() const override { return build_; }

    // Set by the building engine while it links objects to data fields: unresolvable names give
    // 0 and bracketed values print nothing.
    bool LinkingMode() const override { return linkingMode_; }
    void SetLinkingMode(bool on) { linkingMode_ = on; }

    // The report statement functions, tried after the libraries (not owned).
    void SetReportFunctions(ReportFunctions* functions) { reportFunctions_ = functions; }

    Variant Evaluate(std::string_view text) override { return parser_.Evaluate(text); }

    void ResolveName(const std::string& name, Variant& value);

    // A call that the parser does not compute: the libraries in order, then the report's
    // statement functions, then (always) the host's OnUserFunction. Nobody: the string "0".
    void DispatchFunction(const std::string& name, const Variant& p1, const Variant& p2,
                          const Variant& p3, Variant& val);

    // The printed text of the inner text of one [...], with its format suffix (" #N2.2"...) or
    // else the current view's format; the view's HideZeros prints a zero number as nothing.
    std::string ResolveBracketedValue(std::string_view text);

    // Replaces every top-level [...] of the text by its printed text; the inserted text is not
    // scanned again. An unclosed '[' and what follows it stay as written.
    void ExpandText(std::string& text);

    // The expanded lines of a memo: each non-empty line goes through ExpandText unless
    // `textOnly`; a result with line breaks gives several lines, an empty one an empty line.
    std::vector<std::string> ExpandMemo(const std::vector<std::string>& memo, bool textOnly);

    const Variant& LastValue() const { return lastValue_; }
    const std::string& ResolvingName() const { return resolvingName_; }

  private:
    BuildContext& Context() { return build_ != nullptr ? *build_ : noBuild_; }
    bool ResolveReportVariable(const std::string& name, Variant& value);
    bool ResolveSystemName(const std::string& name, Variant& value);
    Variant CalcWidth();

    Parser& parser_;
    Variables& globalVariables_;
    const Variables& constants_;
    FunctionLibraries& libraries_;
    ReportFunctions* reportFunctions_ = nullptr;
    BuildContext* build_ = nullptr;
    BuildContext noBuild_;
    Variant lastValue_;
    std::string resolvingName_;
    bool linkingMode_ = false;
    int depth_ = 0;
};

}  // namespace report
