#include "report/core/language/function_splitter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/core/language/aggregate_splitter.h"
#include "report/core/language/language_errors.h"

namespace report {
namespace {

TEST(FunctionSplitter, CollectsCallsOfTheChosenFunctions) {
    Variables variables;
    variables.Set("Total", Variant::String("SUM([Amount])"));
    variables.Set("Half", Variant::String("Total / 2"));
    variables.Set("Missing", Variant::Null());
    variables.Set("Grand total", Variant::String("MAX([b])"));
    struct Case {
        const char* text;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {"SUM([a])", {"SUM([a])"}},
        {"  sum([a], Band1, 1) ", {"sum([a], Band1, 1)"}},
        {"SUM([a]) + SUM([b])", {"SUM([a])", "SUM([b])"}},
        {"SUM(MAX([a]))", {"MAX([a])", "SUM(MAX([a]))"}},
        {"IF(COUNT(B1) > 0, AVG([x]), 0)", {"COUNT(B1)", "AVG([x])"}},
        {"Total * 2", {"SUM([Amount])"}},
        {"Half + Missing", {"SUM([Amount])"}},
        {"[Total] [SUM([c])] x", {"SUM([Amount])", "SUM([c])"}},
        {"[a] + SUM([b])", {"SUM([b])"}},  // calls after a leading bracket count too
        {"[Grand total] * 2 + [Half]", {"MAX([b])", "SUM([Amount])"}},
        {"'SUM(x)' + UPPERCASE('a')", {}},
        {"1 + [x] * (MIN([y]))", {"MIN([y])"}},
        {"X SUM([a])*2 +", {"SUM([a])"}},  // a postfix text
        {"", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        FunctionSplitter splitter({"AVG", "COUNT", "MAX", "MIN", "SUM"}, &variables);
        splitter.CollectCalls(c.text);
        EXPECT_EQ(splitter.Calls(), c.calls);
    }
}

TEST(FunctionSplitter, BadTexts) {
    Variables variables;
    variables.Set("Loop", Variant::String("Loop + SUM([a])"));
    FunctionSplitter splitter({"SUM"}, &variables);
    EXPECT_THROW(splitter.CollectCalls("SUM([a]"), ExpressionError);
    EXPECT_THROW(splitter.CollectCalls("Loop"), ExpressionError);  // refers to itself
}

TEST(AggregateSplitter, CollectFromMemo) {
    AggregateSplitter splitter(nullptr);
    splitter.CollectFromMemo(
        {"Total : [SUM([Amount]) #N2.2] sur [COUNT(MasterData1)]", "rien", "[SUM([Amount])]"});
    EXPECT_EQ(splitter.Calls(),
              (std::vector<std::string>{"SUM([Amount])", "COUNT(MasterData1)", "SUM([Amount])"}));
}

}  // namespace
}  // namespace report
