#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/core/base/errors.h"
#include "report/core/language/aggregate_splitter.h"
#include "report/core/language/engine_core.h"
#include "report/core/language/language_errors.h"
#include "report/core/language/script_compiler.h"
#include "tests/report/core/language/fake_build_context.h"

namespace report {
namespace {

using testing::FakeBuildContext;
using testing::FakeObject;
using testing::Show;

std::string RenderPostfix(std::string_view postfix) {
    static const char* const kCodes[] = {"",      "{>=}",  "{<=}",   "{<>}",  "{OR}",
                                         "{AND}", "{INT}", "{FRAC}", "",      "{NEG}",
                                         "{POS}", "{STR}", "{NOT}",  "{MOD}", "{ROUND}"};
    std::string text;
    for (const char c : postfix) {
        if (c > 0 && c < 15) {
            text += kCodes[static_cast<int>(c)];
        } else {
            text += c;
        }
    }
    return text;
}

int Target(const std::string& line) {
    return static_cast<unsigned char>(line[1]) + 256 * static_cast<unsigned char>(line[2]);
}

// An instruction line in a readable form.
std::string Render(const std::string& line) {
    switch (line[0]) {
        case 1:
            return "if0 goto " + std::to_string(Target(line)) + ": " +
                   RenderPostfix(line.substr(3));
        case 2:
            return "goto " + std::to_string(Target(line));
        case 3:
            return "do " + RenderPostfix(line.substr(1));
        default: {
            const size_t blank = line.find(' ');
            return line.substr(0, blank) + " := " + RenderPostfix(line.substr(blank + 1));
        }
    }
}

struct Compiled {
    std::vector<std::string> lines;
    std::vector<std::string> raw;
    std::vector<std::string> errors;
};

Compiled Compile(Interpreter& interpreter, const std::vector<std::string>& source) {
    Compiled result;
    interpreter.CompileScript(source, result.raw, result.errors);
    for (const std::string& line : result.raw)
        result.lines.push_back(Render(line));
    return result;
}

TEST(ScriptCompiler, InstructionLines) {
    struct Case {
        std::vector<std::string> source;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {{"begin a := 1; b := a + 1 end"}, {"a := 1 ", "b := a 1 +"}},
        {{"if x > 0 then y := 1 else y := 2"},
         {"if0 goto 3: x 0 >", "y := 1 ", "goto 4", "y := 2 "}},
        {{"if x then y := 1"}, {"if0 goto 2: x ", "y := 1 "}},
        {{"while i < 3 do i := i + 1"}, {"if0 goto 3: i 3 <", "i := i 1 +", "goto 0"}},
        {{"repeat i := i + 1 until i >= 5"}, {"i := i 1 +", "if0 goto 0: i 5 {>=}"}},
        {{"repeat a := 1; b := 2 until (a = 1) and (b = 2)"},
         {"a := 1 ", "b := 2 ", "if0 goto 0: a 1 =b 2 ={AND}"}},
        {{"for i := 1 to n - 1 do s := s + i"},
         {"i := 1 ", "if0 goto 5: i n 1 -{<=}", "s := s i +", "i := i 1 +", "goto 1"}},
        {{"begin 10: i := i + 1; if i < 3 then goto 10 end"},
         {"i := i 1 +", "if0 goto 3: i 3 <", "goto 0"}},
        {{"begin goto 20; x := 1; 20: end"}, {"goto 2", "x := 1 "}},
        {{"begin exit end"}, {"do exit(0)"}},
        {{"begin NewPage; x := 1 end"}, {"do NewPage(0)", "x := 1 "}},
        {{"NewPage(0)"}, {"do NewPage(0)"}},
        {{"Memo1.Visible := False"}, {"Memo1.Visible := False "}},
        {{"a[i + 1] := 'x'"}, {"do SETARRAY(a, i + 1, 'x')"}},
        {{"x := a[2] * [Price #N2.2]"}, {"x := a[2] [Price #N2.2] *"}},
        {{"x := -y * f(1, 'a;b') + not z"}, {"x := y f(1, 'a;b')*{NEG}z {NOT}+"}},
        {{"begin", "  { a comment }", "  a := 1; // another", "  b := 2", "end"},
         {"a := 1 ", "b := 2 "}},
        {{"begin", "\tif a then", "\tbegin x := 1; y := 2 end", "\telse z := 3", "end"},
         {"if0 goto 4: a ", "x := 1 ", "y := 2 ", "goto 5", "z := 3 "}},
        {{"x := f()"}, {"x := f()"}},
        {{"begin a := 1;; b := 2; end"}, {"a := 1 ", "b := 2 "}},
        {{"if a then else b := 1"}, {"if0 goto 2: a ", "goto 3", "b := 1 "}},
        {{""}, {}},
    };
    Interpreter interpreter;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source.front());
        const Compiled compiled = Compile(interpreter, c.source);
        EXPECT_EQ(compiled.lines, c.lines);
        EXPECT_TRUE(compiled.errors.empty()) << compiled.errors.front();
    }
}

TEST(ScriptCompiler, ErrorsWithTheirPositions) {
    struct Case {
        std::vector<std::string> source;
        const char* error;
        size_t linesKept;
    };
    const Case cases[] = {
        {{"begin x := 1 y := 2 end"}, "Line 1/14: Need \";\" or \"end\" here", 1},
        {{"begin\tx := 1\ty := 2 end"}, "Line 1/14: Need \";\" or \"end\" here", 1},
        {{"begin {c} x := 1 y := 2 end"}, "Line 1/18: Need \";\" or \"end\" here", 1},
        {{"begin", "  x := 1", "  y := 2", "end"}, "Line 3/3: Need \";\" or \"end\" here", 1},
        {{"begin // note", "  x := 1 y", "end"}, "Line 2/10: Need \";\" or \"end\" here", 1},
        {{"exit"}, "Line 1/5: Need \":=\" here", 0},
        {{"if x y := 1"}, "Line 1/6: Need \"then\" here", 1},
        {{"while x y := 1"}, "Line 1/9: Need \"do\" here", 1},
        {{"for i := 1 do x := 1"}, "Line 1/12: Need \"to\" here", 1},
        {{"for i = 1 to 3 do x := 1"}, "Line 1/7: Need \":=\" here", 0},
        {{"for i := 1 to 3 x := 1"}, "Line 1/17: Need \"do\" here", 2},
        {{"repeat x := 1 y := 2 until x"}, "Line 1/15: Need \";\" or \"until\" here", 1},
        {{"goto x"}, "Line 1/6: \"goto\" label must be a number", 0},
        {{"x := (1 + 2"}, "Line 1/12: Need \")\" here", 0},
        {{"x := f(1 2)"}, "Line 1/10: Need \",\" or \")\" here", 0},
        {{"x := [abc"}, "Line 1/6: Need \"]\" here", 0},
        {{"begin a := 1; b := 2 c end"}, "Line 1/22: Need \";\" or \"end\" here", 2},
        {{"begin x := 1; goto 20 end"}, "Line 1/20: Etiquette inconnue : 20", 2},
        {{std::string(32001, ' ')}, "Line 1/1: Script trop long : 32000 caract\xE8res au plus", 0},
    };
    Interpreter interpreter;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source.front().substr(0, 40));
        const Compiled compiled = Compile(interpreter, c.source);
        ASSERT_EQ(compiled.errors.size(), 1u);
        EXPECT_EQ(compiled.errors.front(), c.error);
        EXPECT_EQ(compiled.lines.size(), c.linesKept);
    }
}

TEST(ScriptCompiler, DeepNestingIsAnErrorLine) {
    Interpreter interpreter;
    const Compiled compiled =
        Compile(interpreter, {"x := " + std::string(3000, '(') + "1" + std::string(3000, ')')});
    ASSERT_EQ(compiled.errors.size(), 1u);
    EXPECT_NE(compiled.errors.front().find("Expression trop imbriqu"), std::string::npos);
}

class ScriptRunTest : public ::testing::Test {
  protected:
    // Compiles and runs what compiled; returns the compile errors.
    std::vector<std::string> Run(const std::vector<std::string>& source) {
        const Compiled compiled = Compile(engine.Interpreter(), source);
        engine.Interpreter().RunScript(compiled.raw);
        return compiled.errors;
    }
    std::string Global(const std::string& name) {
        const Variant* value = engine.GlobalVariables().FindValue(name);
        return value == nullptr ? "absent" : Show(*value);
    }

    EngineCore engine;
};

TEST_F(ScriptRunTest, ControlFlow) {
    struct Case {
        std::vector<std::string> source;
        const char* name;
        const char* value;
    };
    const Case cases[] = {
        {{"begin a := 1; b := a + 1 end"}, "b", "double 2"},
        {{"begin s := 0; for i := 1 to 3 do s := s + i end"}, "s", "double 6"},
        {{"begin s := 0; for i := 1 to 3 do s := s + i end"}, "i", "double 4"},
        {{"begin s := 0; for i := 5 to 3 do s := s + i end"}, "s", "double 0"},
        {{"begin i := 0; repeat i := i + 1 until i >= 5 end"}, "i", "double 5"},
        {{"begin i := 0; while i < 7 do i := i + 2 end"}, "i", "double 8"},
        {{"begin i := 0; 10: i := i + 1; if i < 3 then goto 10 end"}, "i", "double 3"},
        {{"begin x := 1; exit; x := 2 end"}, "x", "double 1"},
        {{"begin x := 1; goto 99; x := 2 end"}, "x", "double 1"},  // undefined label: ends
        {{"begin x := 5; if x > 3 then y := 'big' else y := 'small' end"}, "y", "string big"},
        {{"begin x := 1; if x > 3 then y := 'big' else y := 'small' end"}, "y", "string small"},
        {{"begin n := 1; inc(n); inc(n); dec(n) end"}, "n", "double 2"},
        {{"begin T[1] := 'x'; a := T[1]; b := T[2] end"}, "a", "string x"},
        {{"begin T[1] := 'x'; a := T[1]; b := T[2] end"}, "b", "null "},
        {{"begin T['k'] := 5 end"}, "Arr_T_k", "double 5"},
        {{"begin T[1.6] := 5 end"}, "Arr_T_2", "double 5"},
        {{"x := COPY('abcdef', 2, 3) + UPPERCASE('z')"}, "x", "string bcdZ"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source.front() + " -> " + c.name);
        engine.GlobalVariables().Clear();
        const std::vector<std::string> errors = Run(c.source);
        const bool undefinedLabel = c.source.front().find("99") != std::string::npos;
        EXPECT_EQ(errors.size(), undefinedLabel ? 1u : 0u);
        EXPECT_EQ(Global(c.name), c.value);
    }
}

TEST_F(ScriptRunTest, GlobalsSurviveAndAreReadByExpressions) {
    Run({"begin a := 1; b := a + 1 end"});
    EXPECT_EQ(Show(engine.SharedParser().Evaluate("[a] + [b]")), "double 3");
    std::string text = "[b]";
    engine.Resolver().ExpandText(text);
    EXPECT_EQ(text, "2");
}

TEST_F(ScriptRunTest, RuntimeErrorsAndLimits) {
    EXPECT_THROW(Run({"x := 'a' * 2"}), VariantConversionError);
    EXPECT_THROW(Run({"inc(N)"}), UndefinedSymbolError);
    engine.Interpreter().SetExecutionLimit(1000);
    EXPECT_THAT([&] { Run({"while 1 = 1 do x := 1"}); },
                ::testing::ThrowsMessage<ScriptError>(
                    "Script arr\xEAt\xE9 : plus de 1000 instructions ex\xE9"
                    "cut\xE9"
                    "es (boucle "
                    "sans fin ?)"));
    // Exactly the limit is allowed.
    engine.Interpreter().SetExecutionLimit(3);
    EXPECT_NO_THROW(Run({"begin a := 1; b := 2; c := 3 end"}));
}

TEST_F(ScriptRunTest, AssignmentTargetsInOrder) {
    FakeBuildContext build;
    engine.Resolver().Attach(&build);
    FakeObject memo1;
    memo1.Add("Visible", Variant::Boolean(true));
    memo1.Add("Left", Variant::Int32(0));
    FakeObject current;
    current.Add("Visible", Variant::Boolean(true));
    current.Add("FONT.NAME", Variant::String("Arial"));
    FakeObject page2;
    page2.Add("Height", Variant::Int32(0));
    build.objects["MEMO1"] = &memo1;
    build.pages[2] = &page2;
    build.current = &current;
    build.dictionary["TOTAL"] = Variant::Int32(0);
    build.dictionary["SHARED"] = Variant::Int32(0);
    engine.GlobalVariables().Set("Shared", Variant::Int32(0));

    Run({"begin", "  Shared := 1; Total := 2;",
         "  MODALRESULT := 1; CurY := 150.4; Progress := 'page 3';",
         "  Memo1.Visible := False; Memo1.Left := 12;", "  Visible := False; Font.Name := 'Times';",
         "  Page2.Height := 300;", "  Memo9.Left := 5; Other := 7", "end"});
    EXPECT_EQ(Global("Shared"), "double 1");  // the global wins over the dictionary variable
    EXPECT_EQ(Show(build.dictionary["SHARED"]), "int32 0");
    EXPECT_EQ(Show(build.dictionary["TOTAL"]), "double 2");
    EXPECT_EQ(Global("Total"), "absent");
    EXPECT_EQ(build.modalResult, 0);  // not a dialog page: nothing to close
    EXPECT_EQ(Global("MODALRESULT"), "absent");
    EXPECT_EQ(build.curY, 150);
    EXPECT_EQ(build.progress, std::vector<std::string>{"page 3"});
    EXPECT_EQ(Show(memo1.GetPropertyValue("Visible")), "boolean False");
    EXPECT_EQ(Show(memo1.GetPropertyValue("Left")), "double 12");
    EXPECT_EQ(Show(current.GetPropertyValue("Visible")), "boolean False");
    EXPECT_EQ(Show(current.GetPropertyValue("Font.Name")), "string Times");
    EXPECT_EQ(Show(page2.GetPropertyValue("Height")), "double 300");
    EXPECT_EQ(Global("Memo9.Left"), "double 5");
    EXPECT_EQ(Global("Other"), "double 7");

    build.dialogPage = true;
    Run({"ModalResult := 2"});
    EXPECT_EQ(build.modalResult, 2);
    // Scripts read what the resolver reads: CURY from the page, properties from objects.
    Run({"y := CurY + Memo1.Left"});
    EXPECT_EQ(Global("y"), "double 162");
    engine.Resolver().Attach(nullptr);
}

TEST_F(ScriptRunTest, StatementFunctionsAndObjectMethods) {
    FakeBuildContext build;
    engine.Resolver().Attach(&build);
    FakeObject memo1;
    memo1.lines = {"a", "b"};
    build.objects["MEMO1"] = &memo1;
    Run({"begin NewPage; NewColumn(0); ShowBand(Band1); StopReport;",
         "  r := Memo1.Hide(0); Memo1.Lines[1] := 'z'; l := Memo1.Lines[1] + Memo1.Lines[0]",
         "end"});
    EXPECT_EQ(build.statements,
              (std::vector<std::string>{"NEWPAGE", "NEWCOLUMN", "SHOWBAND Band1", "STOPREPORT"}));
    EXPECT_EQ(Global("r"), "string hidden");
    EXPECT_EQ(memo1.lines, (std::vector<std::string>{"a", "z"}));
    EXPECT_EQ(Global("l"), "string za");
    EXPECT_EQ(memo1.methodCalls.front(), "HIDE|0||");
    engine.Resolver().Attach(nullptr);
}

TEST_F(ScriptRunTest, ForEachExpressionFeedsTheAggregateSplitter) {
    const Compiled compiled = Compile(
        engine.Interpreter(), {"begin x := 2 * 3 + SUM([a]); if COUNT(Band1) > 0 then y := 2 end"});
    ASSERT_TRUE(compiled.errors.empty());
    AggregateSplitter splitter(nullptr);
    splitter.CollectFromScript(engine.Interpreter(), compiled.raw);
    EXPECT_EQ(splitter.Calls(), (std::vector<std::string>{"SUM([a])", "COUNT(Band1)"}));
}

}  // namespace
}  // namespace report
