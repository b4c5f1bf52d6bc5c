#include "report/core/language/language_errors.h"

#include "report/core/base/engine_strings.h"
#include "report/core/base/text.h"

namespace report {

ExpressionError ExpressionError::Unbalanced() {
    return ExpressionError(EngineText("parser.unbalanced"));
}

ExpressionError ExpressionError::UnclosedBracket() {
    return ExpressionError(EngineText("parser.unclosed_bracket"));
}

ExpressionError ExpressionError::UnclosedQuote() {
    return ExpressionError(EngineText("parser.unclosed_quote"));
}

ExpressionError ExpressionError::UnclosedDoubleQuote() {
    return ExpressionError(EngineText("parser.unclosed_double_quote"));
}

ExpressionError ExpressionError::MissingOperand() {
    return ExpressionError(EngineText("parser.missing_operand"));
}

ExpressionError ExpressionError::TooDeep() {
    return ExpressionError(EngineText("parser.too_deep"));
}

ExpressionError ExpressionError::StackFull() {
    return ExpressionError(EngineText("parser.stack_full"));
}

UndefinedSymbolError::UndefinedSymbolError(const std::string& name)
    : EngineError(FormatMessage(EngineText("resolve.undefined_symbol"), {name})) {}

}  // namespace report
