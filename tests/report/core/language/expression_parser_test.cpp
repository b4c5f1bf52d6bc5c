#include "report/core/language/expression_parser.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "report/core/base/errors.h"
#include "report/core/language/expression_scanner.h"
#include "report/core/language/language_errors.h"
#include "report/core/value/date_time.h"

namespace report {
namespace {

std::string Show(const Variant& v) {
    std::string text = v.IsNull() ? "" : v.ToText();
    return std::string(KindName(v.Kind())) + " " + text;
}

TEST(ExpressionScanner, FindBracketedPart) {
    struct Case {
        const char* text;
        size_t start;
        size_t end;
        const char* inner;
        bool closed;
    };
    const Case cases[] = {
        {"[a]", 0, 3, "a", true},
        {"x [a] y", 2, 5, "a", true},
        {"[[a]] b", 0, 5, "[a]", true},
        {"['a]' + \"]\"]!", 0, 12, "'a]' + \"]\"", true},
        {"[a", 0, 2, "a", false},
        {"abc", 1, 1, "", false},  // no bracket at the start: end equals start
        {"", 0, 0, "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const BracketedPart part = FindBracketedPart(c.text, c.start);
        EXPECT_EQ(part.end, c.end);
        EXPECT_EQ(part.inner, c.inner);
        EXPECT_EQ(part.closed, c.closed);
    }
}

TEST(ExpressionScanner, ReadIdentifierStopsAtDelimitersOutsideDoubleQuotes) {
    struct Case {
        const char* text;
        const char* identifier;
        char stop;  // character at the position afterwards ('\0' at the end)
    };
    const Case cases[] = {
        {"  price + 1", "price", ' '},
        {"\x01\x02name(1)", "name", '('},
        {"a,b;c.d:e%f]g", "a,b;c.d:e%f]g", '\0'},
        {"\"my ds\".\"my field\"+1", "\"my ds\".\"my field\"", '+'},
        {"Arr[3]", "Arr", '['},
        {"x\ty", "x", '\t'},
        {"+", "", '+'},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const std::string_view text = c.text;
        size_t position = 0;
        EXPECT_EQ(ReadIdentifier(text, position), c.identifier);
        EXPECT_EQ(position < text.size() ? text[position] : '\0', c.stop);
    }
}

TEST(ExpressionScanner, QuotedStrings) {
    size_t position = 2;
    const std::string_view text = "x 'It''s' + 1";
    EXPECT_EQ(ReadQuotedString(text, position), "'It''s'");
    EXPECT_EQ(position, 9u);
    EXPECT_EQ(UnquoteLiteral("'It''s'"), "It's");
    EXPECT_EQ(UnquoteLiteral("''''"), "'");
    EXPECT_TRUE(IsTerminatedLiteral("''"));
    EXPECT_FALSE(IsTerminatedLiteral("'abc"));
    EXPECT_TRUE(IsTerminatedLiteral("'a'''"));  // the text a'
    EXPECT_FALSE(IsTerminatedLiteral("'a''"));
    position = 0;
    EXPECT_EQ(ReadQuotedString("'open", position), "'open");
    EXPECT_EQ(position, 5u);
}

TEST(ExpressionScanner, SplitArguments) {
    struct Case {
        const char* call;
        std::vector<std::string> args;
    };
    const Case cases[] = {
        {"F()", {"", "", ""}},
        {"F(a)", {"a", "", ""}},
        {"F(a, b)", {"a", " b", ""}},
        {"F(a, b, c)", {"a", " b", " c"}},
        {"F(a, b, c, d)", {"a", " c", ""}},  // the last-but-one argument, and no third
        {"F(G(1, 2), ')', (3))", {"G(1, 2)", " ')'", " (3)"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.call);
        const std::string_view text = c.call;
        size_t position = 1;
        const CallArguments args = SplitArguments(text, position);
        EXPECT_EQ(position, text.size());
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(args.text[i], c.args[i]);
    }
    size_t position = 3;
    EXPECT_THROW(SplitArguments("MAX(1, (2)", position), ExpressionError);
}

TEST(Parser, ConvertToPostfix) {
    struct Case {
        const char* infix;
        const char* postfix;
    };
    const Case cases[] = {
        {"2 + 3 * 4", "2 3 4 *+"},
        {"(2 + 3) * 4", "2 3 +4 *"},
        {"10 - 4 - 3", "10 4 -3 -"},
        {"A = 1 OR B = 2", "A 1 B \x04=2 ="},  // (A = (1 OR B)) = 2
        {"(A = 1) or (B = 2)", "A 1 =B 2 =\x04"},
        {"INT 2.5 + 1",
         "2.5 \x06"
         "1 +"},
        {"x <> 1", "x 1 \x03"},
        {"x >= 1", "x 1 \x01"},
        {"x <= 1", "x 1 \x02"},
        {"not 0", "0 \x0C"},
        {"7 mod 2", "7 2 \x0D"},
        {"-2 + 3",
         "2 \x09"
         "3 +"},
        {"+2", "2 \x0A"},
        {"a * -b", "a b \x09*"},
        {"a - -b", "a b \x09-"},
        {"NOT -1", "1 \x09\x0C"},
        {"SUM([a]) + 1", "SUM([a])1 +"},
        {"Arr[3] + 1", "Arr[3] 1 +"},
        {"'It''s' + [x y]", "'It''s' [x y] +"},
        {"1 + 2 ; 5", "1 2 +"},
        {"", ""},
        {"a) + 1", "a 1 +"},  // a ')' without '(' is ignored
        {"1,5 + 1.5", "1,5 1.5 +"},
        {"\"my ds\".\"my field\" * 2", "\"my ds\".\"my field\" 2 *"},
        {"f\r\n(1)", "f 1 "},  // a call's '(' must follow its name directly
    };
    Parser parser;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.infix);
        EXPECT_EQ(parser.ConvertToPostfix(c.infix), c.postfix);
    }
}

TEST(Parser, ConvertToPostfixRejectsUnbalancedTexts) {
    Parser parser;
    for (const char* text :
         {"(1 + 2", "MAX(1, (2)", "'abc", "1 + [abc", "((1)", "\"abc", "\"ds\".\"field + 1"}) {
        SCOPED_TRACE(text);
        EXPECT_THROW(parser.ConvertToPostfix(text), ExpressionError);
    }
}

TEST(Parser, EvaluatesLiteralsAndOperators) {
    struct Case {
        const char* text;
        const char* result;  // kind and text form
    };
    const Case cases[] = {
        {"2 + 3 * 4", "double 14"},
        {"(2 + 3) * 4", "double 20"},
        {"10 - 4 - 3", "double 3"},
        {"7 / 0", "int32 0"},
        {"7 / 2", "double 3,5"},
        {"1 < 2", "uint8 1"},
        {"2 < 1", "uint8 0"},
        {"2 >= 2", "uint8 1"},
        {"2 <= 1", "uint8 0"},
        {"2 <> 1", "uint8 1"},
        {"'a' = 'a'", "uint8 1"},
        {"(1 < 2) AND (3 < 4)", "int32 1"},
        {"(1 < 2) OR (3 < 4)", "int32 2"},
        {"(1 < 2) and (3 > 4)", "int32 0"},
        {"NOT 0", "uint8 1"},
        {"NOT 5", "uint8 0"},
        {"INT(2.9999999999999)", "double 3"},
        {"INT(-2.5)", "double -2"},
        {"INT 2.5 + 1", "double 3"},
        {"FRAC(3.25)", "double 0,25"},
        {"FRAC(2.99999999999999)", "double 0"},
        {"ROUND(2.5)", "int32 2"},
        {"ROUND(3.5)", "int32 4"},
        {"ROUND(-2.5)", "int32 -2"},
        {"STR(1.5) + 'x'", "string 1,5x"},
        {"10 MOD 3", "int32 1"},
        {"'It''s'", "string It's"},
        {"'a' + 'b'", "string ab"},
        {"1,5 + 1.5", "double 3"},
        {"true", "boolean True"},
        {"False", "boolean False"},
        {"COPY('abcdef', 2, 3)", "string bcd"},
        {"COPY('abcdef', 0, 2)", "string ab"},
        {"COPY('abcdef', 5, 10)", "string ef"},
        {"IF(1 > 2, 'x', 'y')", "string y"},
        {"if(2 > 1, 'x', 'y')", "string x"},
        {"", "uint8 0"},
        {"1 + 2 ; 5", "double 3"},
        {"2 * -3", "double -6"},
        {"2 - -3", "double 5"},
        {"-2 * 3", "double -6"},
        {"NOT -1", "uint8 0"},
        {"INT -2.5", "double -2"},
        {"1+(1+(1+(1+(1+(1+(1+1))))))", "double 8"},  // eight pending values: the limit
    };
    Parser parser;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Show(parser.Evaluate(c.text)), c.result);
    }
}

TEST(Parser, DateFunctionsReadTheLocalesFormats) {
    Parser parser;
    const Variant date = parser.Evaluate("STRTODATE('15/11/1998')");
    EXPECT_EQ(date.Kind(), VariantKind::DateTime);
    EXPECT_DOUBLE_EQ(date.RealValue(), EncodeDate(1998, 11, 15));
    const Variant time = parser.Evaluate("STRTOTIME('12:30:00')");
    EXPECT_DOUBLE_EQ(time.RealValue(), EncodeTime(12, 30, 0, 0));
    EXPECT_THROW(parser.Evaluate("STRTODATE('31/02/1998')"), ConvertError);
}

TEST(Parser, ErrorsOfTheRuntimePassThrough) {
    Parser parser;
    EXPECT_THROW(parser.Evaluate("1.2.3"), ConvertError);
    EXPECT_THROW(parser.Evaluate("'a' * 2"), VariantConversionError);
    EXPECT_THROW(parser.Evaluate("COPY('abc', 1.5, 1)"), ConvertError);
    EXPECT_THROW(parser.Evaluate("IF('x', 1, 2)"), ConvertError);
    EXPECT_THROW(parser.Evaluate("MAX(1, (2)"), ExpressionError);
}

TEST(Parser, LimitsRaiseErrorsInsteadOfOverflowing) {
    Parser parser;
    EXPECT_THROW(parser.Evaluate("1+(1+(1+(1+(1+(1+(1+(1+1)))))))"), ExpressionError);
    EXPECT_THROW(parser.Evaluate("1 +"), ExpressionError);
    EXPECT_THROW(parser.Evaluate("* 2"), ExpressionError);
    EXPECT_THROW(parser.EvaluatePostfix("\x09"), ExpressionError);
    // A name whose value is itself an evaluation of the same name.
    parser.OnValueRequest = [&](const std::string& name, Variant& value) {
        value = parser.Evaluate(name);
    };
    EXPECT_THROW(parser.Evaluate("loop"), ExpressionError);
    // The bound counts nesting, not calls: the parser is usable afterwards.
    parser.OnValueRequest = nullptr;
    EXPECT_EQ(Show(parser.Evaluate("1 + 1")), "double 2");
}

TEST(Parser, HooksReceiveNamesAndArgumentTexts) {
    Parser parser;
    std::vector<std::string> names;
    std::vector<std::string> calls;
    parser.OnValueRequest = [&](const std::string& name, Variant& value) {
        names.push_back(name);
        if (name == "PRICE" || name == "price") value = Variant::Int32(10);
    };
    parser.OnFunctionCall = [&](const std::string& name, const Variant& p1, const Variant& p2,
                                const Variant& p3, Variant& val) {
        calls.push_back(name + "|" + p1.ToText() + "|" + p2.ToText() + "|" + p3.ToText());
        val = Variant::String("r");
    };
    EXPECT_EQ(Show(parser.Evaluate("price * 2")), "double 20");
    EXPECT_EQ(Show(parser.Evaluate("[price] + 1")), "double 11");
    EXPECT_EQ(Show(parser.Evaluate("SUM([a])")), "string r");
    EXPECT_EQ(Show(parser.Evaluate("f(a, b, c, d)")), "string r");
    EXPECT_EQ(Show(parser.Evaluate("T[2]")), "string r");
    EXPECT_EQ(Show(parser.Evaluate("IF(1 > 2, [boom], 'y')")), "string y");
    EXPECT_EQ(names, (std::vector<std::string>{"PRICE", "price"}));
    EXPECT_EQ(calls, (std::vector<std::string>{"SUM|[a]||", "F|a| c|", "GETARRAY|T| 2|"}));
}

TEST(Parser, AHookThatDeclinesLeavesTheSlotAsItWas) {
    Parser parser;
    parser.OnValueRequest = [](const std::string&, Variant&) {};
    // Slot 2 still holds the 7 of the first addition when [x] is read into it.
    EXPECT_EQ(Show(parser.Evaluate("1 + 7 + [x]")), "double 15");
    // Without hooks, names and calls leave their slots as they are too: slot 1 starts as 0,
    // the others empty, and an empty operand cannot take part in arithmetic.
    Parser bare;
    EXPECT_EQ(Show(bare.Evaluate("x")), "uint8 0");
    EXPECT_EQ(Show(bare.Evaluate("F(1)")), "uint8 0");
    EXPECT_THROW(bare.Evaluate("1 + x"), VariantOperationError);
    EXPECT_THROW(bare.Evaluate("1 + F(1)"), VariantOperationError);
}

TEST(Parser, PrecedenceOfConditionsWithoutParentheses) {
    Parser parser;
    const std::map<std::string, int> values = {{"A", 3}, {"B", 2}};
    parser.OnValueRequest = [&](const std::string& name, Variant& value) {
        value = Variant::Int32(values.at(name));
    };
    // (A = (1 OR B)) = 2: (3 = 3) = 2 is 1 = 2, false; with parentheses the intent holds.
    EXPECT_EQ(Show(parser.Evaluate("A = 1 OR B = 2")), "uint8 0");
    EXPECT_EQ(Show(parser.Evaluate("(A = 1) OR (B = 2)")), "int32 1");
}

TEST(Parser, RecursiveEvaluationFromHooks) {
    Parser parser;
    parser.OnValueRequest = [&](const std::string& name, Variant& value) {
        if (name == "TWICE") value = parser.Evaluate("[one] * 2");
        if (name == "one") value = parser.Evaluate("1 + 0");
    };
    EXPECT_EQ(Show(parser.Evaluate("twice + twice")), "double 4");
}

}  // namespace
}  // namespace report
