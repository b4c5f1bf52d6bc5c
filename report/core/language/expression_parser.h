// Parser: the expression engine of the report language.
//
// An infix text is converted to a compact postfix text (see postfix.h), which is evaluated on
// a stack of eight Variant slots. The parser knows the operators, literals, TRUE and FALSE and
// the functions COPY, IF, STRTODATE and STRTOTIME; every other name and call goes to the two
// hooks its owner installs.
//
// Operators, tightest first: INT FRAC STR ROUND (prefix, one operand); * / MOD AND OR NOT;
// + - and the signs; the comparisons < = > <= >= <>. Equal classes associate to the left, so
// `A = 1 OR B = 2` means `(A = (1 OR B)) = 2`. Comparisons give the uint8 1 or 0; AND and OR
// are multiplication and addition; `x / 0` gives 0. A sign after a binary operator applies to
// the operand that follows (`a * -b`).
//
// The parser keeps no state between calls besides its hooks; every evaluation has its own
// stack, so hooks may evaluate recursively. An expression that needs more than eight pending
// values raises ExpressionError::StackFull, one nested more than kMaxNesting evaluations deep
// ExpressionError::TooDeep, an unbalanced parenthesis, bracket, quote or double quote an
// ExpressionError (Unbalanced, UnclosedBracket, UnclosedQuote, UnclosedDoubleQuote). Conversion and
// operation errors of Variant pass through.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "report/core/value/variant.h"

namespace report {

// Supplies the value of a name: `value` is the evaluation slot, left as it is to decline.
using ValueRequestEvent = std::function<void(const std::string& name, Variant& value)>;

// Computes a function the parser does not know. `name` is upper-cased; p1..p3 are the argument
// texts as written (string values, empty for a missing argument); `val` is the result slot.
using FunctionEvent = std::function<void(const std::string& name, const Variant& p1,
                                         const Variant& p2, const Variant& p3, Variant& val)>;

class Parser {
  public:
    // Called with the inner text of a [...] as written, or an identifier upper-cased.
    ValueRequestEvent OnValueRequest;
    FunctionEvent OnFunctionCall;

    std::string ConvertToPostfix(std::string_view text) const;
    Variant EvaluatePostfix(std::string_view postfix);
    // ConvertToPostfix, then EvaluatePostfix. The empty text gives the uint8 0.
    Variant Evaluate(std::string_view text);

  private:
    void EvaluateOperand(std::string_view postfix, size_t& position, Variant& slot);
    void EvaluateCall(std::string_view name, std::string_view postfix, size_t& position,
                      Variant& slot);

    int depth_ = 0;  // evaluations in progress, for the nesting bound
};

}  // namespace report
