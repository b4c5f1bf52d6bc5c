// AggregateSplitter: collects the aggregate calls (AVG, COUNT, MAX, MIN, SUM) of a band's texts
// and scripts, looking into the dictionary variables that expressions name.
#pragma once

#include <string>
#include <vector>

#include "report/core/language/function_splitter.h"

namespace report {

class Interpreter;

class AggregateSplitter : public FunctionSplitter {
  public:
    // `dictionaryVariables`: the current report's dictionary variables, or null.
    explicit AggregateSplitter(const Variables* dictionaryVariables);

    // Each [...] of each memo line, brackets included, goes to CollectCalls.
    void CollectFromMemo(const std::vector<std::string>& lines);
    // Every expression of a compiled script goes to CollectCalls.
    void CollectFromScript(Interpreter& interpreter, const std::vector<std::string>& compiled);
};

}  // namespace report
