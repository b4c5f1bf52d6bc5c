#include "report/core/language/value_resolver.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/core/base/errors.h"
#include "report/core/language/engine_core.h"
#include "report/core/language/language_errors.h"
#include "report/core/value/date_time.h"
#include "report/core/value/display_format.h"
#include "tests/report/core/language/fake_build_context.h"

namespace report {
namespace {

using testing::FakeBuildContext;
using testing::FakeObject;
using testing::Show;
using ::testing::ThrowsMessage;

class ValueResolverTest : public ::testing::Test {
  protected:
    ValueResolverTest() { engine.Resolver().Attach(&build); }

    Variant Resolve(const std::string& name) {
        Variant value;
        engine.Resolver().ResolveName(name, value);
        return value;
    }
    std::string Expand(std::string text) {
        engine.Resolver().ExpandText(text);
        return text;
    }

    EngineCore engine;
    FakeBuildContext build;
};

TEST_F(ValueResolverTest, HostHandlerAnswersDeclinesOrAnswersNull) {
    std::vector<std::string> asked;
    build.getValue = [&](const std::string& name, Variant& value) {
        asked.push_back(name);
        if (name == "joueur1") value = Variant::String("Lyon");
        if (name == "joueur2") value = Variant::String("");
        if (name == "absent") value = Variant::Null();
    };
    engine.GlobalVariables().Set("Foo", Variant::Int32(7));
    EXPECT_EQ(Expand("[joueur1] - [joueur2]|"), "Lyon - |");
    EXPECT_EQ(Show(Resolve("absent")), "null ");
    // Declined: the chain goes on to the global variable.
    EXPECT_EQ(Show(Resolve("Foo")), "int32 7");
    EXPECT_EQ(asked, (std::vector<std::string>{"joueur1", "joueur2", "absent", "Foo"}));

    // [joueur1 + 'x'] reaches the handler whole, then its parts upper-cased; a handler that
    // compares names with their case declines JOUEUR1.
    asked.clear();
    EXPECT_THAT([&] { Expand("[joueur1 + 'x']"); },
                ThrowsMessage<UndefinedSymbolError>("Symbole non d\xE9"
                                                    "fini \"JOUEUR1\""));
    EXPECT_EQ(asked, (std::vector<std::string>{"joueur1 + 'x'", "JOUEUR1", "JOUEUR1"}));
}

TEST_F(ValueResolverTest, ResolutionOrder) {
    // The dictionary comes before the built-in names, which come before the globals, which come
    // before the system names, properties and constants.
    build.dictionary["PAGE#"] = Variant::String("dictionary");
    build.pageIndex = 2;
    engine.GlobalVariables().Set("LINE#", Variant::String("global"));
    build.lineNumber = 5;
    engine.GlobalVariables().Set("CURY", Variant::String("global"));
    build.curY = 40;
    engine.GlobalVariables().Set("clRed", Variant::String("global"));
    FakeObject memo;
    memo.Add("Visible", Variant::Boolean(false));
    build.objects["MEMO1"] = &memo;

    struct Case {
        const char* name;
        const char* result;
    };
    const Case cases[] = {
        {"PAGE#", "string dictionary"},
        {"LINE#", "int32 5"},
        {"CURY", "string global"},
        {"clred", "string global"},
        {"clBlue", "int32 16711680"},
        {"MEMO1.VISIBLE", "boolean False"},
        {"Memo1.Visible", "boolean False"},
        {"CRLF", "string \r\n"},
        {"Null", "null "},
        {"mb_YesNo", "uint8 4"},
        {"clBtnFace", "int32 -2147483633"},
        {"2 + 3", "double 5"},  // evaluated as an expression
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Show(Resolve(c.name)), c.result);
    }
}

TEST_F(ValueResolverTest, BuiltInAndSystemNames) {
    build.pageIndex = 0;
    build.totalPages = 4;
    build.runDate = EncodeDate(2024, 3, 1);
    build.runTime = EncodeTime(10, 30, 0, 0);
    build.lineNumber = 3;
    build.lineThrough = 12;
    build.column = 2;
    build.record = 9;
    build.curY = 100;
    build.bottomY = 1000;
    build.rightX = 700;
    build.finalPass = false;
    struct Case {
        const char* name;
        const char* result;
    };
    const Case cases[] = {
        {"PAGE#", "int32 1"},
        {"page#", "int32 1"},  // through the parser, upper-cased
        {"TOTALPAGES", "int32 4"},
        {"LINE#", "int32 3"},
        {"LINETHROUGH#", "int32 12"},
        {"COLUMN#", "int32 2"},
        {"CURRENT#", "int32 9"},
        {"CURY", "int32 100"},
        {"FREESPACE", "int32 900"},
        {"PAGEHEIGHT", "int32 1000"},
        {"PAGEWIDTH", "int32 700"},
        {"FINALPASS", "boolean False"},
        {"DATE", "datetime 01/03/2024"},
        {"TIME", "datetime 30/12/1899 10:30:00"},
        {"CALCWIDTH", "int32 0"},  // no current view
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Show(Resolve(c.name)), c.result);
    }
    EXPECT_EQ(Expand("[PAGE#]/[page#]"), "1/1");
}

TEST_F(ValueResolverTest, UndefinedNamesAndLinkingMode) {
    EXPECT_THAT([&] { Expand("[price]"); }, ThrowsMessage<UndefinedSymbolError>("Symbole non d\xE9"
                                                                                "fini \"PRICE\""));
    EXPECT_THROW(Resolve("UNKNOWN"), UndefinedSymbolError);
    // The error leaves nothing behind: the next bracket starts afresh.
    EXPECT_EQ(Expand("[1 + 1]"), "2");

    engine.Resolver().SetLinkingMode(true);
    EXPECT_EQ(Show(Resolve("UNKNOWN")), "int32 0");
    EXPECT_EQ(Expand("a[price]b"), "ab");  // linking mode formats nothing
    engine.Resolver().SetLinkingMode(false);
}

TEST_F(ValueResolverTest, DictionaryAndValue) {
    build.dictionary["TOTAL"] = Variant::Double(12.5);
    EXPECT_EQ(Expand("[Total]"), "12,5");
    // VALUE is the last bracketed value for the expressions evaluated after it (highlight
    // conditions)...
    EXPECT_EQ(Show(engine.SharedParser().Evaluate("VALUE * 2")), "double 25");
    // ...while inside a bracket it is the value being resolved, which starts as 0.
    EXPECT_EQ(Expand("[Total] [VALUE]"), "12,5 0");
    EXPECT_THROW(Expand("[VALUE + 1]"), UndefinedSymbolError);
}

TEST_F(ValueResolverTest, FunctionDispatchOrder) {
    std::vector<std::string> userCalls;
    build.userFunction = [&](const std::string& name, const Variant& p1, const Variant&,
                             const Variant&, Variant& val) {
        userCalls.push_back(name + "(" + p1.ToText() + ") after " + Show(val));
        if (name == "DOUBLE")
            val = Variant::Int32(2 * engine.Resolver().Evaluate(p1.StringValue()).ToInt());
    };
    Parser& parser = engine.SharedParser();
    // The standard library answers first; the host is not asked.
    EXPECT_EQ(Show(parser.Evaluate("UPPERCASE('a')")), "string A");
    // A report function, then the host all the same.
    EXPECT_EQ(Show(parser.Evaluate("GETARRAY(T, 1)")), "null ");
    // The host's own function.
    EXPECT_EQ(Show(parser.Evaluate("DOUBLE(21)")), "int32 42");
    // Nobody: the string "0".
    EXPECT_EQ(Show(parser.Evaluate("FOO(1)")), "string 0");
    EXPECT_EQ(userCalls,
              (std::vector<std::string>{"GETARRAY(T) after null ", "DOUBLE(21) after string 0",
                                        "FOO(1) after string 0"}));
}

TEST_F(ValueResolverTest, FormatSuffixes) {
    build.getValue = [](const std::string& name, Variant& value) {
        if (name == "Price") value = Variant::Double(1234.5);
        if (name == "Big") value = Variant::Double(1234567.891);
        if (name == "Done") value = Variant::Int32(1);
        if (name == "NotDone") value = Variant::Int32(0);
        if (name == "Day") value = Variant::DateTime(EncodeDate(1998, 11, 15) + 0.5);
        if (name == "Word") value = Variant::String("abc");
    };
    struct Case {
        const char* text;
        const char* result;
    };
    const Case cases[] = {
        {"[Price #N2.2]", "1234.50"},
        {"[Price #N2,2]", "1234,50"},
        {"[Price #2.1]", "1234.5"},
        {"[Price #N#,##0.00]",
         "1\xA0"
         "234.50"},
        {"[Big #N#,##0.00]",
         "1\xA0"
         "234\xA0"
         "567.89"},
        {"[Done #BNo;Yes]", "Yes"},
        {"[NotDone #BNo;Yes]", "No"},
        {"[Day #Ddd/mm/yyyy]", "15/11/1998"},
        {"[Day #Thh:nn]", "12:00"},
        {"[Word #N2.2]", "abc"},   // not a number: its text
        {"[Price #X]", "1234,5"},  // unknown suffix: the view's format (none)
        {"[Price]", "1234,5"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Expand(c.text), c.result);
    }
}

TEST_F(ValueResolverTest, ViewFormatAndHideZeros) {
    build.hasView = true;
    build.viewFormat.formatCode = MakeFormatCode(format_category::kNumber, 1, 2, ',');
    build.getValue = [](const std::string& name, Variant& value) {
        if (name == "Zero") value = Variant::Int32(0);
        if (name == "ZeroReal") value = Variant::Double(0);
        if (name == "Blank") value = Variant::String("  ");
        if (name == "Empty") value = Variant::Null();
    };
    EXPECT_EQ(Expand("[Zero]|[ZeroReal]|[1 < 0]|[Blank]|[Empty]|[CRLF]"), "0,00|0,00|0,00|||");
    build.viewFormat.hideZeros = true;
    // Zero numbers print nothing; a comparison result (one-byte) is not hidden.
    EXPECT_EQ(Expand("[Zero]|[ZeroReal]|[1 < 0]|[2]"), "||0,00|2,00");
    EXPECT_EQ(Show(engine.Resolver().LastValue()), "double 2");
}

TEST_F(ValueResolverTest, ExpandTextAndMemo) {
    build.getValue = [](const std::string& name, Variant& value) {
        if (name == "a") value = Variant::String("[b]");
        if (name == "lines") value = Variant::String("one\r\ntwo\nthree\r\n");
    };
    // Inserted text is not scanned again; brackets inside quotes do not count; nested brackets
    // belong to the outer part; an unclosed bracket stays as written.
    EXPECT_EQ(Expand("x[a]y"), "x[b]y");
    EXPECT_EQ(Expand("[']' + 'x']"), "]x");
    EXPECT_EQ(Expand("[[a]]"), "[b]");
    EXPECT_EQ(Expand("total [1 + 1] [open"), "total 2 [open");
    EXPECT_EQ(Expand("end ["), "end [");
    EXPECT_EQ(Expand(""), "");

    ValueResolver& resolver = engine.Resolver();
    const std::vector<std::string> memo = {"[lines]", "", "[1+1] x", "[CRLF]"};
    EXPECT_EQ(resolver.ExpandMemo(memo, false),
              (std::vector<std::string>{"one", "two", "three", "", "2 x", ""}));
    EXPECT_EQ(resolver.ExpandMemo(memo, true), memo);  // TextOnly prints brackets as written
}

TEST_F(ValueResolverTest, CalcWidthExpandsTheCurrentTextObject) {
    build.hasView = true;
    build.memo = {"[2 * 21]", "ab"};
    build.measure = [](const std::vector<std::string>& lines) {
        int widest = 0;
        for (const std::string& line : lines)
            widest = std::max(widest, int(line.size()) * 7);
        return widest;
    };
    EXPECT_EQ(Show(Resolve("CALCWIDTH")), "int32 14");
    EXPECT_EQ(build.expandedMemo, (std::vector<std::string>{"42", "ab"}));
    build.viewIsText = false;
    build.viewWidth = 120;
    EXPECT_EQ(Show(Resolve("CALCWIDTH")), "int32 120");
    // A memo that asks for its own width nests without end: an error, not a crash.
    build.viewIsText = true;
    build.memo = {"[CALCWIDTH]"};
    EXPECT_THROW(Resolve("CALCWIDTH"), ExpressionError);
}

TEST_F(ValueResolverTest, SelfReferringDictionaryVariableRaisesInsteadOfOverflowing) {
    // A host that evaluates the name again, like a dictionary variable naming itself.
    build.getValue = [&](const std::string& name, Variant& value) {
        if (name == "LOOP") value = engine.Resolver().Evaluate("LOOP + 1");
    };
    EXPECT_THROW(Resolve("LOOP"), ExpressionError);
    EXPECT_EQ(Show(Resolve("1")), "double 1");
}

TEST(ValueResolverWithoutBuild, NeutralContext) {
    EngineCore engine;
    Variant value;
    engine.Resolver().ResolveName("PAGE#", value);
    EXPECT_EQ(Show(value), "int32 1");
    engine.Resolver().ResolveName("TOTALPAGES", value);
    EXPECT_EQ(Show(value), "int32 0");
    EXPECT_EQ(Show(engine.SharedParser().Evaluate("SUM([a])")), "string 0");
    EXPECT_THROW(engine.SharedParser().Evaluate("x"), UndefinedSymbolError);
}

}  // namespace
}  // namespace report
