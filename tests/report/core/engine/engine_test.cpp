#include "report/core/engine/engine.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "report/core/language/build_context.h"
#include "report/core/language/language_errors.h"
#include "report/core/model/report.h"
#include "tests/report/core/support/fake_print_service.h"

namespace report {
namespace {

// The part of a build that scripts need here: the report's objects by name.
class ReportObjects : public BuildContext {
  public:
    explicit ReportObjects(Report& report) : report_(report) {}
    PropertyAccess* FindObject(const std::string& name) override {
        return report_.FindObject(name);
    }

  private:
    Report& report_;
};

void RunScript(Engine& engine, const std::vector<std::string>& source) {
    std::vector<std::string> compiled;
    std::vector<std::string> errors;
    engine.Interpreter().CompileScript(source, compiled, errors);
    ASSERT_TRUE(errors.empty()) << errors.front();
    engine.Interpreter().RunScript(compiled);
}

TEST(Engine, PrinterLayerStartsFirstOnTheGivenService) {
    struct Case {
        const char* name;
        bool withService;
        int printers;
        bool virtualSelected;
        int pageWidth;  // design pixels
        int printableWidth;
    };
    const Case cases[] = {
        {"virtual printer alone", false, 1, true, 758, 722},
        {"platform printers", true, 3, false, 757, 727},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testing::FakePrintService service;
        Engine engine(c.withService ? &service : nullptr);
        Printer& printer = engine.PrinterLayer();
        ASSERT_TRUE(printer.IsReady());
        EXPECT_EQ(static_cast<int>(printer.PrinterNames().size()), c.printers);
        EXPECT_EQ(printer.IsVirtualSelected(), c.virtualSelected);
        EXPECT_EQ(printer.DefaultPaperCode(), 9);
        PageMetrics metrics;
        printer.FillPageMetrics(metrics);
        EXPECT_EQ(metrics.pageWidth, c.pageWidth);
        EXPECT_EQ(metrics.pageHeight, 1071);
        EXPECT_EQ(metrics.printableWidth, c.printableWidth);

        // A page of a report made on the engine takes the printer's paper and metrics.
        Report report(engine.Model());
        const Page& page = report.AddPage();
        EXPECT_EQ(page.size, 9);
        EXPECT_EQ(page.metrics, metrics);
    }
}

TEST(Engine, PictureObjectsEnterTheirConstants) {
    Engine engine(nullptr);
    EXPECT_FALSE(engine.Constants().Contains("btJPG"));
    EXPECT_THROW(engine.SharedParser().Evaluate("btJPG"), UndefinedSymbolError);
    // Standard constants are there from the start.
    EXPECT_EQ(engine.SharedParser().Evaluate("clRed").ToInt(), 0x0000FF);

    ASSERT_NE(engine.Factory().CreateViewByType(object_type::kPicture), nullptr);
    EXPECT_EQ(engine.SharedParser().Evaluate("btJPG + 1").ToInt(), 2);
    EXPECT_EQ(engine.SharedParser().Evaluate("BTWMF").ToInt(), 3);
}

class EngineReportTest : public ::testing::Test {
  protected:
    EngineReportTest() : report(engine.Model()), objects(report) {
        Page& page = report.AddPage();
        View& view = page.Add(engine.Factory().CreateViewByType(object_type::kMemo));
        view.name = "Memo1";
        memo = &view;
        engine.Resolver().Attach(&objects);
    }
    ~EngineReportTest() override { engine.Resolver().Attach(nullptr); }

    Engine engine{nullptr};
    Report report;
    ReportObjects objects;
    View* memo = nullptr;
};

TEST_F(EngineReportTest, ScriptsAndExpressionsReachObjects) {
    RunScript(engine, {"begin Memo1.Left := 10; memo1.TOP := Memo1.Left * 2 end"});
    EXPECT_EQ(memo->left, 10);
    EXPECT_EQ(memo->top, 20);
    EXPECT_EQ(engine.SharedParser().Evaluate("Memo1.Left + Memo1.Top").ToInt(), 30);
    EXPECT_FALSE(engine.GlobalVariables().Contains("Memo1.Left"));
}

TEST_F(EngineReportTest, ObjectMethodArgumentsGoThroughTheSharedParser) {
    engine.GlobalVariables().Set("Base", Variant::Int32(40));
    RunScript(engine, {"begin Memo1.Memo.Add(Base + 2); Memo1.Memo.Add('x' + 'y') end"});
    EXPECT_EQ(memo->memo, (StringList{"42", "xy"}));
}

TEST_F(EngineReportTest, DictionaryVariablesEvaluateThroughTheEngine) {
    report.dictionary.variables.Set(" Totaux", Variant::String(""));
    report.dictionary.variables.Set("Total", Variant::String("20 + 22"));
    report.dictionary.variables.Set("Vide", Variant::String(""));
    EXPECT_EQ(report.dictionary.GetValue("Total").ToInt(), 42);
    EXPECT_EQ(report.dictionary.GetValue("Vide").ToText(), "");
    // A script variable of the same name wins.
    engine.GlobalVariables().Set("total", Variant::Int32(7));
    EXPECT_EQ(report.dictionary.GetValue("Total").ToInt(), 7);
}

}  // namespace
}  // namespace report
