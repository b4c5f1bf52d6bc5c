#include "report/core/language/std_function_library.h"

#include "report/core/base/band_type.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "report/core/base/dialogs.h"
#include "report/core/base/errors.h"
#include "report/core/language/engine_core.h"
#include "report/core/language/installed_functions.h"
#include "report/core/language/language_errors.h"
#include "report/core/value/edit_mask.h"
#include "tests/report/core/language/fake_build_context.h"

namespace report {
namespace {

using testing::FakeBuildContext;
using testing::Show;
using testing::ShowKey;

class FakeDialogs : public DialogService {
  public:
    int answer = mr::kOk;
    bool cancel = false;
    std::string typed;
    std::vector<std::string> shown;

    int ShowMessage(const std::string& text, const std::string& caption, int flags) override {
        shown.push_back(caption + "|" + text + "|" + std::to_string(flags));
        return answer;
    }
    bool AskText(const std::string& caption, const std::string& prompt,
                 std::string& value) override {
        shown.push_back(caption + "|" + prompt + "|" + value);
        if (cancel) return false;
        value = typed;
        return true;
    }
};

class StdFunctionTest : public ::testing::Test {
  protected:
    StdFunctionTest() { InstallDialogs(&dialogs); }
    ~StdFunctionTest() override { InstallDialogs(nullptr); }

    std::string Eval(const std::string& text) { return Show(engine.SharedParser().Evaluate(text)); }

    FakeDialogs dialogs;
    EngineCore engine;
};

TEST_F(StdFunctionTest, FunctionsWithGoodArguments) {
    struct Case {
        const char* text;
        const char* result;
    };
    const Case cases[] = {
        {"DAYOF(STRTODATE('15/11/1998'))", "int32 15"},
        {"MONTHOF(STRTODATE('15/11/1998'))", "int32 11"},
        {"YEAROF(STRTODATE('15/11/1998'))", "int32 1998"},
        {"dayof(36114)", "int32 15"},  // a number reads as a date
        {"FORMATDATETIME('yyyy-mm-dd', STRTODATE('15/11/1998'))", "string 1998-11-15"},
        {"FORMATDATETIME('dddd d mmmm', STRTODATE('15/11/1998'))", "string dimanche 15 novembre"},
        {"FORMATFLOAT('0.00', 3.14159)", "string 3,14"},
        {"FORMATFLOAT('#,##0', 1234567)",
         "string 1\xA0"
         "234\xA0"
         "567"},
        {"FORMATTEXT('(000) 000-0000', '5551234567')", "string (555) 123-4567"},
        {"FORMATTEXT('>LL-000', 'ab123')", "string AB-123"},
        {"FORMATTEXT('00/00', '1')", "string 1 /  "},
        {"LENGTH('abc')", "int32 3"},
        {"LENGTH(12.5)", "int32 4"},
        {"LENGTH('')", "int32 0"},
        {"LOWERCASE('\xC9T\xC9 Z')", "string \xE9t\xE9 z"},
        {"UPPERCASE('\xE9t\xE9 z')", "string \xC9T\xC9 Z"},
        {"NAMECASE('jEAN DUPONT')", "string Jean dupont"},
        {"NAMECASE('')", "string "},
        {"TRIM('  a b  ')", "string a b"},
        {"POS('b', 'abc')", "int32 2"},
        {"POS('x', 'abc')", "int32 0"},
        {"POS('', 'abc')", "int32 0"},
        {"MAXNUM(3, 3)", "double 3"},
        {"MAXNUM('3', 3)", "double 3"},  // equal: the second
        {"MAXNUM(3, '3')", "string 3"},
        {"MAXNUM(4, 3)", "double 4"},
        {"MINNUM(1, 2)", "double 1"},
        {"MINNUM(2, 2 - 1)", "double 1"},
        {"SUM([a])", "string 0"},  // no build: nothing to total
        {"COUNT(MasterData1)", "string 0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Eval(c.text), c.result);
    }
}

TEST_F(StdFunctionTest, ArgumentsThatDoNotConvert) {
    for (const char* text :
         {"DAYOF('15/11/1998')", "MONTHOF('x')", "YEAROF(Null)", "FORMATDATETIME('yyyy', 'x')",
          "FORMATFLOAT('0', 'abc')", "MESSAGEBOX('a', 'b', 'x')", "LENGTH(Null)", "UPPERCASE(Null)",
          "LOWERCASE(Null)", "NAMECASE(Null)", "TRIM(Null)", "POS(Null, 'a')", "POS('a', Null)",
          "MAXNUM(1, 'x')", "MINNUM('x', 1)", "FORMATTEXT(Null, 'a')", "INPUT(Null)"}) {
        SCOPED_TRACE(text);
        EXPECT_THROW(engine.SharedParser().Evaluate(text), VariantConversionError);
    }
    EXPECT_THROW(engine.SharedParser().Evaluate("LENGTH(nothing)"), UndefinedSymbolError);
}

TEST_F(StdFunctionTest, Dialogs) {
    dialogs.answer = mr::kYes;
    EXPECT_EQ(Eval("MESSAGEBOX('Continuer ?', 'Question', mb_YesNo + mb_IconQuestion)"), "int32 6");
    dialogs.typed = "Paul";
    EXPECT_EQ(Eval("INPUT('Nom ?', 'Jean')"), "string Paul");
    dialogs.cancel = true;
    EXPECT_EQ(Eval("INPUT('Nom ?', 'Jean')"), "string Jean");
    EXPECT_EQ(Eval("INPUT('Nom ?')"), "string ");
    EXPECT_EQ(dialogs.shown, (std::vector<std::string>{"Question|Continuer ?|36", "|Nom ?|Jean",
                                                       "|Nom ?|Jean", "|Nom ?|"}));
}

TEST(EditMask, Masks) {
    struct Case {
        const char* mask;
        const char* value;
        const char* result;
    };
    const Case cases[] = {
        {"(000) 000-0000;0; ", "5551234567", "(555) 123-4567"},
        {">LL-000;0; ", "ab123", "AB-123"},
        {"<LL>L;0; ", "ABc", "abC"},
        {"00:00;0;_", "1230", "12:30"},
        {"00/00/0000;0; ", "15111998", "15/11/1998"},
        {"!999;0; ", "12", " 12"},
        {"000;0;*", "1a2", "1*2"},  // 'a' is no digit
        {"\\A00;0; ", "12", "A12"},
        {"00-00;1;_", "12-34", "12-34"},  // literals in the value
        {"0_0;0; ", "12", "1 2"},
        {"cc", "", "__"},
        {"", "abc", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mask);
        EXPECT_EQ(FormatMaskText(c.mask, c.value), c.result);
    }
}

TEST_F(StdFunctionTest, AggregateRegistrationWhileLinking) {
    FakeBuildContext build;
    engine.Resolver().Attach(&build);
    engine.Resolver().SetLinkingMode(true);
    build.linking = true;
    build.targetName = "MasterData1";
    build.targetType = band_type::kMasterData;

    struct Case {
        const char* call;
        const char* band;
        int bandType;
        bool sharesVertical;
        const char* key;  // empty: nothing registered
        const char* initial;
    };
    const Case cases[] = {
        {"SUM([Amount])", "MasterFooter1", band_type::kMasterFooter, false,
         "MasterFooter1|11|[Amount]||", "int32 0"},
        {"MIN([Amount])", "GroupFooter1", band_type::kGroupFooter, false,
         "GroupFooter1|12|[Amount]||", "double 1E300"},
        {"MAX([Amount], MasterData1, 1)", "PageFooter1", band_type::kPageFooter, false,
         "PageFooter1|13|[Amount]|1|", "int32 0"},
        {"AVG([Amount],  masterdata1 )", "ColumnFooter1", band_type::kColumnFooter, false,
         "ColumnFooter1|14|[Amount]||", "int32 0"},
        {"COUNT(MasterData1)", "ReportSummary1", band_type::kReportSummary, false,
         "ReportSummary1|15|MasterData1||", "int32 0"},
        {"COUNT(MasterData1, 1)", "ReportSummary1", band_type::kReportSummary, false,
         "ReportSummary1|15|MasterData1|1|", "int32 0"},
        {"SUM([Amount])", "MasterFooter1", band_type::kMasterFooter, true,
         "0|MasterFooter1|11|[Amount]||", "int32 0"},
        {"SUM([Amount])", "CrossFooter1", band_type::kCrossFooter, true, "", ""},
        {"SUM([Amount])", "DetailFooter1", band_type::kDetailFooter, false, "", ""},
        {"SUM([Amount], DetailData1)", "MasterFooter1", band_type::kMasterFooter, false, "", ""},
        {"SUM([Amount])", "MasterData1", band_type::kMasterData, false, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.call) + " in " + c.band);
        build.registered.clear();
        build.bandName = c.band;
        build.bandType = c.bandType;
        build.sharesVertical = c.sharesVertical;
        EXPECT_EQ(Eval(c.call), "string 0");
        if (*c.key == '\0') {
            EXPECT_TRUE(build.registered.empty());
        } else {
            ASSERT_EQ(build.registered.size(), 1u);
            EXPECT_EQ(ShowKey(build.registered[0].first), c.key);
            EXPECT_EQ(Show(build.registered[0].second), c.initial);
        }
    }
    // The detail level: a detail footer totals the detail data band.
    build.targetName = "DetailData1";
    build.targetType = band_type::kDetailData;
    build.registered.clear();
    build.bandName = "DetailFooter1";
    build.bandType = band_type::kDetailFooter;
    build.sharesVertical = false;
    Eval("SUM([Amount])");
    ASSERT_EQ(build.registered.size(), 1u);
    EXPECT_EQ(ShowKey(build.registered[0].first), "DetailFooter1|11|[Amount]||");
    engine.Resolver().SetLinkingMode(false);
    engine.Resolver().Attach(nullptr);
}

TEST_F(StdFunctionTest, AggregateValuesWhileBuilding) {
    FakeBuildContext build;
    engine.Resolver().Attach(&build);
    build.bandName = "MasterFooter1";
    build.bandType = band_type::kMasterFooter;
    // Without an aggregate band the call stays "0".
    EXPECT_EQ(Eval("SUM([Amount])"), "string 0");
    EXPECT_TRUE(build.aggregateReads.empty());

    build.hasAggregateBand = true;
    build.aggregateValues["MasterFooter1\x01\x0B\x01[Amount]\x01\x01"] = Variant::Double(42);
    EXPECT_EQ(Eval("SUM([Amount]) + 1"), "double 43");
    build.sharesVertical = true;
    Eval("COUNT(MasterData1)");
    build.crossColumn = 3;
    build.horizontalBand = "MasterData2";
    Eval("AVG([x], CrossData1)");
    EXPECT_EQ(build.aggregateReads.size(), 3u);
    EXPECT_EQ(ShowKey(build.aggregateReads[0]), "C:MasterFooter1|11|[Amount]||");
    EXPECT_EQ(ShowKey(build.aggregateReads[1]), "C:0|MasterFooter1|15|MasterData1||");
    EXPECT_EQ(ShowKey(build.aggregateReads[2]), "H:3|MasterData2|14|[x]||");
    engine.Resolver().Attach(nullptr);
}

TEST_F(StdFunctionTest, InstalledFunctionDescriptions) {
    const InstalledFunctions& functions = engine.Functions();
    EXPECT_EQ(functions.All().size(), 57u);
    EXPECT_EQ(functions.Categories(),
              (std::vector<std::string>{"Autre", "Cha\xEEnes", "Date et heure", "Ensemble",
                                        "Interpr\xE9teur", "Logique", "Math\xE9matique"}));
    EXPECT_EQ(functions.NamesOf("Ensemble"),
              (std::vector<std::string>{"AVG", "COUNT", "MAX", "MIN", "SUM"}));
    EXPECT_EQ(functions.NamesOf("Logique"),
              (std::vector<std::string>{"AND", "FALSE", "NOT", "OR", "TRUE"}));
    EXPECT_EQ(functions.NamesOf("Toutes les fonctions").size(), 57u);
    const FunctionDescription* sum = functions.Find("sum");
    ASSERT_NE(sum, nullptr);
    EXPECT_EQ(sum->description.rfind("SUM(<Expression> [,BandName [,1]])/Calcule la somme", 0), 0u);
    EXPECT_EQ(functions.Find("FORMATTEXT")->description,
              "FORMATTEXT(<Mask>, <String>)/Applies <Mask> to given <String> and returns "
              "formatted string.");
    for (const FunctionDescription& d : functions.All()) {
        SCOPED_TRACE(d.name);
        EXPECT_EQ(d.description.rfind(d.name, 0) == 0 ||
                      d.description.find(" " + d.name + " ") != std::string::npos,
                  true);
        EXPECT_NE(d.description.find('/'), std::string::npos);
    }
}

TEST(InstalledFunctions, AddRules) {
    InstalledFunctions functions;
    functions.Add(nullptr, "F", "", "ignored: no category");
    functions.Add(nullptr, "F", "Cat", "F/first");
    functions.Add(nullptr, "F", "Cat", "F/second is ignored");
    functions.Add(nullptr, "f", "Other", "f/another case is another name");
    EXPECT_EQ(functions.All().size(), 2u);
    EXPECT_EQ(functions.Find("F")->description, "F/first");
    EXPECT_EQ(functions.Categories(), (std::vector<std::string>{"Cat", "Other"}));
}

// Libraries of distinct classes for the registry tests.
template <int N>
class NumberedLibrary : public FunctionLibrary {
  public:
    NumberedLibrary() : FunctionLibrary({"LIB" + std::to_string(N), "TRIM"}) {}
    void AddDescriptions(InstalledFunctions& functions) override {
        functions.Add(this, "LIB" + std::to_string(N), "Test", "LIB/numbered");
    }

  protected:
    void Compute(int index, const Variant&, const Variant&, const Variant&, Variant& val) override {
        val = Variant::String("lib" + std::to_string(N) + ":" + Names()[index]);
    }
};

template <int... N>
void RegisterNumbered(FunctionLibraries& libraries, std::integer_sequence<int, N...>) {
    (libraries.Register<NumberedLibrary<N + 1>>(), ...);
}

TEST(FunctionLibraries, RegistryRules) {
    EngineCore engine;
    FunctionLibraries& libraries = engine.Libraries();
    EXPECT_EQ(libraries.Count(), 1);  // the standard library
    NumberedLibrary<1>& first = libraries.Register<NumberedLibrary<1>>();
    EXPECT_EQ(&libraries.Register<NumberedLibrary<1>>(), &first);  // one per class
    EXPECT_EQ(libraries.Count(), 2);
    EXPECT_EQ(first.IndexOf("lib1"), 0);
    EXPECT_EQ(first.IndexOf("trim"), 1);
    EXPECT_EQ(first.IndexOf("none"), -1);

    // Registration order decides: TRIM is the standard library's.
    Parser& parser = engine.SharedParser();
    EXPECT_EQ(Show(parser.Evaluate("TRIM(' a ')")), "string a");
    EXPECT_EQ(Show(parser.Evaluate("lib1(0)")), "string lib1:LIB1");
    EXPECT_NE(engine.Functions().Find("LIB1"), nullptr);

    libraries.Unregister<NumberedLibrary<1>>();
    EXPECT_EQ(libraries.Count(), 1);
    EXPECT_EQ(engine.Functions().Find("LIB1"), nullptr);
    EXPECT_EQ(engine.Functions().All().size(), 57u);
    EXPECT_EQ(Show(parser.Evaluate("lib1(0)")), "string 0");

    RegisterNumbered(libraries, std::make_integer_sequence<int, 31>());
    EXPECT_EQ(libraries.Count(), FunctionLibraries::kMaxLibraries);
    EXPECT_THROW(libraries.Register<NumberedLibrary<40>>(), EngineError);
    EXPECT_EQ(libraries.Count(), FunctionLibraries::kMaxLibraries);
}

}  // namespace
}  // namespace report
