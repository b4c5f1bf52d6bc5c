#include "report/core/base/split_lines.h"

#include <gtest/gtest.h>

namespace report {
namespace {

TEST(SplitLines, EachLineEndClosesOneLine) {
    struct Case {
        std::string text;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"a\r\nb\r\n", {"a", "b"}},  // no empty line after the last terminator
        {"a\nb\n", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"a\n\rb", {"a", "", "b"}},  // LF CR is two line ends, not one
        {"a\r\r\nb", {"a", "", "b"}},
        {"\r\n", {""}},
        {"\n\n", {"", ""}},
        {"\r", {""}},
        {" a \t", {" a \t"}},  // blanks belong to the line
        {std::string("a\0b\rc", 5), {std::string("a\0b", 3), "c"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.text));
        EXPECT_EQ(SplitLines(c.text), c.lines);
    }
}

}  // namespace
}  // namespace report
