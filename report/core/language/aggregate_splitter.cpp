#include "report/core/language/aggregate_splitter.h"

#include "report/core/language/expression_scanner.h"
#include "report/core/language/script_interpreter.h"

namespace report {

AggregateSplitter::AggregateSplitter(const Variables* dictionaryVariables)
    : FunctionSplitter({"AVG", "COUNT", "MAX", "MIN", "SUM"}, dictionaryVariables) {}

void AggregateSplitter::CollectFromMemo(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        size_t i = 0;
        while (i < line.size()) {
            const BracketedPart part = FindBracketedPart(line, i);
            if (part.end == i) {
                ++i;
                continue;
            }
            CollectCalls(std::string_view(line).substr(i, part.end - i));
            i = part.end;
        }
    }
}

void AggregateSplitter::CollectFromScript(Interpreter& interpreter,
                                          const std::vector<std::string>& compiled) {
    interpreter.ForEachExpression(compiled, *this);
}

}  // namespace report
