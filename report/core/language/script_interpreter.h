// Interpreter: compiles scripts (see ScriptCompiler) and runs the compiled instruction lines.
//
// The interpreter evaluates with a parser of its own whose value and function hooks call
// ReadValue and CallFunction; assignments call AssignValue. The three do nothing here;
// ReportInterpreter gives them the report's meaning.
#pragma once

#include <string>
#include <vector>

#include "report/core/language/expression_parser.h"
#include "report/core/value/variant.h"

namespace report {

class FunctionSplitter;

class Interpreter {
  public:
    // A running script stops with ScriptError after this many executed instruction lines.
    static constexpr long kMaxExecutedLines = 10'000'000;

    Interpreter();
    virtual ~Interpreter() = default;
    Interpreter(const Interpreter&) = delete;
    Interpreter& operator=(const Interpreter&) = delete;

    virtual void ReadValue(const std::string& name, Variant& value);
    virtual void AssignValue(const std::string& name, const Variant& value);
    virtual void CallFunction(const std::string& name, const Variant& p1, const Variant& p2,
                              const Variant& p3, Variant& val);

    // Compiles source lines into instruction lines; syntax errors go to `errors` (see
    // ScriptCompiler).
    virtual void CompileScript(const std::vector<std::string>& source,
                               std::vector<std::string>& output, std::vector<std::string>& errors);

    // Runs instruction lines from the first: conditional jumps go to their target when the value
    // equals 0, evaluate lines are evaluated (EXIT(0) stops), assignments call AssignValue.
    // Errors of the evaluation pass through; more than kMaxExecutedLines executed lines raise
    // ScriptError.
    virtual void RunScript(const std::vector<std::string>& compiled);

    // The number of executed lines after which RunScript stops (kMaxExecutedLines unless a
    // test lowers it).
    void SetExecutionLimit(long lines) { executionLimit_ = lines; }

    // Hands the expression of every instruction line, in order, to the splitter.
    void ForEachExpression(const std::vector<std::string>& compiled, FunctionSplitter& splitter);

  protected:
    Parser& OwnParser() { return parser_; }

  private:
    Parser parser_;
    long executionLimit_ = kMaxExecutedLines;
};

}  // namespace report
