// Errors of the report language: expressions, name resolution and scripts. Messages are
// French (Windows-1252) from the string table.
#pragma once

#include <string>

#include "report/core/base/errors.h"

namespace report {

// A malformed expression or one beyond the parser's limits.
class ExpressionError : public EngineError {
  public:
    explicit ExpressionError(const std::string& message) : EngineError(message) {}
    // "Parenthèse manquante dans l'expression": an argument list or a group left open.
    static ExpressionError Unbalanced();
    // "Crochet fermant manquant dans l'expression": a [ without its ].
    static ExpressionError UnclosedBracket();
    // "Apostrophe fermante manquante dans l'expression": a quoted literal left open.
    static ExpressionError UnclosedQuote();
    // "Guillemet fermant manquant dans l'expression": a double-quoted name left open.
    static ExpressionError UnclosedDoubleQuote();
    // "Opérande manquant dans l'expression": an operator without its operands.
    static ExpressionError MissingOperand();
    // "Expression trop imbriquée": evaluation nested beyond the fixed bound.
    static ExpressionError TooDeep();
    // "Expression trop complexe : plus de huit valeurs en attente".
    static ExpressionError StackFull();
};

// "Symbole non défini "NAME"": a name that nothing resolves.
class UndefinedSymbolError : public EngineError {
  public:
    explicit UndefinedSymbolError(const std::string& name);
};

// A running script stopped by the engine (too many executed instructions).
class ScriptError : public EngineError {
  public:
    explicit ScriptError(const std::string& message) : EngineError(message) {}
};

}  // namespace report
