#include "report/core/language/script_interpreter.h"

#include <string_view>

#include "report/core/base/engine_strings.h"
#include "report/core/base/text.h"
#include "report/core/language/function_splitter.h"
#include "report/core/language/language_errors.h"
#include "report/core/language/script_compiler.h"

namespace report {

namespace {

constexpr char kConditionalJump = 1;
constexpr char kJump = 2;
constexpr char kEvaluate = 3;

size_t Target(const std::string& line) {
    if (line.size() < 3) return ScriptCompiler::kNoTarget;
    return static_cast<unsigned char>(line[1]) +
           256 * static_cast<size_t>(static_cast<unsigned char>(line[2]));
}

// The expression part of an instruction line; false for a jump.
bool ExpressionOf(const std::string& line, std::string_view& expression) {
    const std::string_view text = line;
    switch (line[0]) {
        case kConditionalJump:
            expression = text.substr(std::min<size_t>(3, text.size()));
            return true;
        case kJump:
            return false;
        case kEvaluate:
            expression = text.substr(1);
            return true;
        default: {
            const size_t blank = text.find(' ');
            expression =
                blank == std::string_view::npos ? std::string_view() : text.substr(blank + 1);
            return true;
        }
    }
}

}  // namespace

Interpreter::Interpreter() {
    parser_.OnValueRequest = [this](const std::string& name, Variant& value) {
        ReadValue(name, value);
    };
    parser_.OnFunctionCall = [this](const std::string& name, const Variant& p1, const Variant& p2,
                                    const Variant& p3,
                                    Variant& val) { CallFunction(name, p1, p2, p3, val); };
}

void Interpreter::ReadValue(const std::string& /*name*/, Variant& /*value*/) {}

void Interpreter::AssignValue(const std::string& /*name*/, const Variant& /*value*/) {}

void Interpreter::CallFunction(const std::string& /*name*/, const Variant& /*p1*/,
                               const Variant& /*p2*/, const Variant& /*p3*/, Variant& /*val*/) {}

void Interpreter::CompileScript(const std::vector<std::string>& source,
                                std::vector<std::string>& output,
                                std::vector<std::string>& errors) {
    ScriptCompiler compiler(parser_);
    compiler.Compile(source, output, errors);
}

void Interpreter::RunScript(const std::vector<std::string>& compiled) {
    const Variant zero = Variant::Int32(0);
    size_t line = 0;
    long executed = 0;
    while (line < compiled.size()) {
        if (++executed > executionLimit_) {
            throw ScriptError(FormatMessage(EngineText("script.too_many_steps"),
                                            {std::to_string(executionLimit_)}));
        }
        const std::string& text = compiled[line];
        if (text.empty()) {
            ++line;
            continue;
        }
        switch (text[0]) {
            case kConditionalJump: {
                const std::string_view condition =
                    std::string_view(text).substr(std::min<size_t>(3, text.size()));
                line = Compare(parser_.EvaluatePostfix(condition), zero) == 0 ? Target(text)
                                                                              : line + 1;
                break;
            }
            case kJump:
                line = Target(text);
                break;
            case kEvaluate: {
                const std::string_view expression = std::string_view(text).substr(1);
                if (expression.size() == 7 && SameText(expression, "EXIT(0)")) return;
                parser_.EvaluatePostfix(expression);
                ++line;
                break;
            }
            default: {
                const size_t blank = text.find(' ');
                const std::string name = text.substr(0, blank);
                const std::string_view expression = blank == std::string::npos
                                                        ? std::string_view()
                                                        : std::string_view(text).substr(blank + 1);
                AssignValue(name, parser_.EvaluatePostfix(expression));
                ++line;
                break;
            }
        }
    }
}

void Interpreter::ForEachExpression(const std::vector<std::string>& compiled,
                                    FunctionSplitter& splitter) {
    for (const std::string& line : compiled) {
        std::string_view expression;
        if (!line.empty() && ExpressionOf(line, expression)) splitter.CollectCalls(expression);
    }
}

}  // namespace report
