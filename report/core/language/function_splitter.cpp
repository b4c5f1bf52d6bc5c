#include "report/core/language/function_splitter.h"

#include "report/core/base/text.h"
#include "report/core/language/expression_scanner.h"
#include "report/core/language/nesting_guard.h"

namespace report {

FunctionSplitter::FunctionSplitter(std::vector<std::string> names, const Variables* variables)
    : names_(std::move(names)), variables_(variables) {}

void FunctionSplitter::CollectCalls(std::string_view text) {
    NestingGuard guard(depth_);
    // A text that starts with a bracketed part is scanned like any other: the calls that follow
    // its brackets (`[a] + SUM([b])`) must be registered as well.
    ScanIdentifiers(Trim(text));
}

void FunctionSplitter::ScanIdentifiers(std::string_view text) {
    size_t i = 0;
    while (i < text.size()) {
        const std::string_view name = ReadIdentifier(text, i);
        if (name.empty()) {
            if (i >= text.size()) break;
            if (text[i] == '[') {
                // A bracketed name may be a variable whose text holds the calls.
                const BracketedPart part = FindBracketedPart(text, i);
                std::string value;
                CollectCalls(VariableText(part.inner, value) ? std::string_view(value)
                                                             : part.inner);
                i = part.end;
            } else {
                ++i;  // an operator or a parenthesis
            }
            continue;
        }
        const size_t nameStart = i - name.size();
        if (name.front() == '\'') {  // a literal: its content is not an expression
            i = nameStart;
            ReadQuotedString(text, i);
            continue;
        }
        if (i < text.size() && text[i] == '(') {
            const CallArguments args = SplitArguments(text, i);
            for (const std::string_view argument : args.text)
                CollectCalls(argument);
            if (IsWanted(name)) calls_.emplace_back(text.substr(nameStart, i - nameStart));
            continue;
        }
        std::string value;
        if (VariableText(name, value)) CollectCalls(value);
    }
}

bool FunctionSplitter::VariableText(std::string_view name, std::string& text) const {
    if (variables_ == nullptr) return false;
    const Variant* value = variables_->FindValue(name);
    if (value == nullptr || value->IsNull()) return false;
    text = value->ToText();
    return true;
}

bool FunctionSplitter::IsWanted(std::string_view name) const {
    for (const std::string& wanted : names_) {
        if (SameText(wanted, name)) return true;
    }
    return false;
}

}  // namespace report
