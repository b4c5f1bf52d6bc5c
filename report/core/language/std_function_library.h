// StdFunctionLibrary: the standard functions of report expressions (strings, dates, numbers,
// dialogs and the aggregates SUM, MIN, MAX, AVG and COUNT).
//
// Every function first sets its result to the string "0", then evaluates the arguments it needs
// with the host's parser. Arguments that do not convert raise the Variant conversion error.
//
// Aggregates take `F(expression [, band name [, 1]])` and `COUNT(band name [, 1])`. While the
// building engine links (LinkingMode), a call registers its accumulator with the data band it
// totals; while building, it reads the accumulated value. Both go through the BuildContext.
// Without a build the result stays "0".
#pragma once

#include "report/core/language/function_library.h"

namespace report {

class StdFunctionLibrary : public FunctionLibrary {
  public:
    explicit StdFunctionLibrary(FunctionLibraryHost& host);

    void AddDescriptions(InstalledFunctions& functions) override;

  protected:
    void Compute(int index, const Variant& p1, const Variant& p2, const Variant& p3,
                 Variant& val) override;

  private:
    Variant Arg(const Variant& text) const;
    void Aggregate(int code, const Variant& p1, const Variant& p2, const Variant& p3, Variant& val);

    FunctionLibraryHost& host_;
};

// The key of an aggregate accumulator: the showing band's name (with its per-column prefix), the
// function code (11 SUM, 12 MIN, 13 MAX, 14 AVG, 15 COUNT), the expression text and the
// include-invisible text, each followed by the character 1.
std::string AggregateKey(std::string_view prefix, std::string_view bandName, int code,
                         std::string_view expression, std::string_view includeInvisible);

}  // namespace report
