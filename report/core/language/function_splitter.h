// FunctionSplitter: finds the calls of chosen functions inside expression texts (the engine
// uses it to find aggregate calls before a build).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "report/core/value/variables.h"

namespace report {

class FunctionSplitter {
  public:
    // `names`: the functions to look for, compared without regard to case. `variables`: names
    // whose values are expression texts to look into as well (dictionary variables); may be null.
    // The list must outlive the splitter.
    FunctionSplitter(std::vector<std::string> names, const Variables* variables);

    // Scans an expression or postfix text. Each identifier is read: a call has its arguments
    // scanned, then, when its name is looked for, its source text from the name to the closing
    // parenthesis is added to Calls(); a variable's text is scanned. A bracketed part has its
    // inner text (or, when the whole inner text names a variable, that variable's text) scanned.
    // Quoted literals are skipped; operators and parentheses are stepped over so that every call
    // of the text is found, also after a leading bracketed part.
    // Raises ExpressionError for an argument list left open or nesting beyond the bound.
    void CollectCalls(std::string_view text);

    // The calls found so far, in the order found; the same text may appear more than once.
    const std::vector<std::string>& Calls() const { return calls_; }
    void ClearCalls() { calls_.clear(); }

  protected:
    void SetVariables(const Variables* variables) { variables_ = variables; }

  private:
    void ScanIdentifiers(std::string_view text);
    // The text of a variable named `name`, or false when there is no such variable.
    bool VariableText(std::string_view name, std::string& text) const;
    bool IsWanted(std::string_view name) const;

    std::vector<std::string> names_;
    const Variables* variables_;
    std::vector<std::string> calls_;
    int depth_ = 0;
};

}  // namespace report
