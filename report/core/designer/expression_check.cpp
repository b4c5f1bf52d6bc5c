#include "report/core/designer/expression_check.h"

#include <string>

#include "report/core/base/engine_strings.h"
#include "report/core/base/text.h"
#include "report/core/language/expression_parser.h"
#include "report/core/language/expression_scanner.h"
#include "report/core/language/language_errors.h"
#include "report/core/language/script_compiler.h"
#include "report/core/value/display_format.h"

namespace report {
namespace {

// A parser whose names answer nothing and whose calls have their arguments read in turn: only
// the shape of the text is judged.
class ShapeChecker {
  public:
    ShapeChecker() {
        parser_.OnFunctionCall = [this](const std::string&, const Variant& p1, const Variant& p2,
                                        const Variant& p3, Variant&) {
            for (const Variant* argument : {&p1, &p2, &p3}) {
                if (argument->IsNull() || argument->IsEmpty()) continue;
                std::string text;
                try {
                    text = argument->ToText();
                } catch (const EngineError&) {
                    continue;
                }
                Evaluate(text);
            }
        };
    }

    void Evaluate(std::string_view text) {
        try {
            parser_.Evaluate(text);
        } catch (const ExpressionError&) {
            throw;
        } catch (const EngineError&) {
            // A conversion of the stand-in values: says nothing about the text.
        }
    }

  private:
    Parser parser_;
};

}  // namespace

std::string ExpressionProblem::Message() const {
    return FormatMessage(EngineText("designer.expression_error"),
                         {std::to_string(line), std::to_string(column), engineMessage});
}

std::optional<std::string> ExpressionRefusal(std::string_view expression) {
    std::string text(expression);
    DisplayFormat unused;
    ApplyFormatSuffix(text, unused);
    try {
        ShapeChecker().Evaluate(text);
    } catch (const ExpressionError& error) {
        return std::string(error.what());
    }
    return std::nullopt;
}

std::optional<ExpressionProblem> CheckMemoExpressions(const std::vector<std::string>& lines) {
    size_t lineStart = 0;
    for (size_t l = 0; l < lines.size(); ++l) {
        const std::string& line = lines[l];
        size_t i = 0;
        while (i < line.size()) {
            if (line[i] != '[') {
                ++i;
                continue;
            }
            const BracketedPart part = FindBracketedPart(line, i);
            std::optional<std::string> refusal;
            if (!part.closed) {
                refusal = ExpressionError::UnclosedBracket().what();
            } else {
                refusal = ExpressionRefusal(part.inner);
            }
            if (refusal) {
                ExpressionProblem problem;
                problem.position = lineStart + i + 1;
                problem.line = l + 1;
                problem.column = i + 2;
                problem.engineMessage = std::move(*refusal);
                return problem;
            }
            i = part.end > i ? part.end : i + 1;
        }
        lineStart += line.size() + 1;
    }
    return std::nullopt;
}

std::vector<std::string> ScriptErrors(const std::vector<std::string>& source) {
    Parser parser;
    ScriptCompiler compiler(parser);
    std::vector<std::string> output;
    std::vector<std::string> errors;
    compiler.Compile(source, output, errors);
    return errors;
}

}  // namespace report
