#include "report/core/building/report_builder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "report/core/base/dialogs.h"
#include "report/core/base/errors.h"
#include "report/core/base/json.h"
#include "report/core/base/text.h"
#include "report/core/building/line_height_measurer.h"
#include "report/core/building/page_recorder.h"
#include "report/core/building/progress_window.h"
#include "report/core/building/text_layout_measurer.h"
#include "report/core/data/dataset.h"
#include "report/core/file/template_json.h"
#include "report/core/language/engine_core.h"
#include "report/core/model/memo_view.h"
#include "report/core/model/model_state.h"
#include "report/core/model/report.h"
#include "report/core/render/measuring_canvas.h"

namespace report {
namespace {

// Keeps the message boxes a build shows.
class RecordedDialogs final : public DialogService {
  public:
    int ShowMessage(const std::string& text, const std::string& caption, int) override {
        messages.push_back(caption + ": " + text);
        return mr::kOk;
    }
    bool AskText(const std::string&, const std::string&, std::string&) override { return false; }
    std::vector<std::string> messages;
};

class ReportBuilderTest : public ::testing::Test {
  protected:
    ReportBuilderTest() {
        state.printer.Start(nullptr);
        state.globalVariables = &core.GlobalVariables();
        state.evaluate = [this](const std::string& text) {
            return core.SharedParser().Evaluate(text);
        };
        data.rangeEnd = RangeEnd::reCount;
        report.dataset = &data;
        report.showProgress = false;
        InstallDialogs(&dialogs);
    }
    ~ReportBuilderTest() override { InstallDialogs(nullptr); }

    // Loads a template given as the objects of its one page (JSON) and builds it.
    bool Build(const std::string& objects, int records, const std::string& pageExtra = "",
               int twoPass = 0) {
        const std::string json = R"({"twoPass": )" + std::to_string(twoPass) +
                                 R"(, "pages": [{"topMargin": 50, "bottomMargin": 50,
                                 "leftMargin": 40, "rightMargin": 40)" +
                                 pageExtra + R"(, "objects": [)" + objects + "]}]}";
        JsonToTemplate(ParseJson(json), report);
        data.rangeEndCount = records;
        ReportBuilder builder(report, core, pages, measurer);
        const bool result = builder.BuildReport();
        errorText = builder.ErrorText();
        return result;
    }

    // Builds a whole template given as JSON.
    bool BuildTemplate(const std::string& json, int records, ProgressWindow* progress = nullptr) {
        JsonToTemplate(ParseJson(json), report);
        data.rangeEndCount = records;
        ReportBuilder builder(report, core, pages, measurer, progress);
        const bool result = builder.BuildReport();
        errorText = builder.ErrorText();
        return result;
    }

    // `[Long]` reads as `lines` numbered lines.
    void AnswerLong(int lines) {
        std::string text;
        for (int i = 1; i <= lines; ++i) {
            if (i > 1) text += '\r';
            text += std::to_string(i);
        }
        report.onGetValue = [text](const std::string& name, Variant& value) {
            if (name == "Long") value = Variant::String(text);
        };
    }

    // Usable height of the page: from the top margin to the bottom margin.
    int UsableHeight() {
        const IntRect area = report.pages[0].PrintableArea();
        return area.bottom - area.top;
    }

    std::vector<std::string> AllTexts() const {
        std::vector<std::string> texts;
        for (int i = 0; i < pages.PageCount(); ++i)
            for (const std::string& text : pages.Texts(i))
                texts.push_back(text);
        return texts;
    }

    ModelState state;
    EngineCore core;
    Report report{state};
    UserDataset data{"userDataset1"};
    PageRecorder pages;
    LineHeightMeasurer measurer{16};
    RecordedDialogs dialogs;
    std::string errorText;
};

std::string Band(const std::string& type, int top, int height, const std::string& extra = "") {
    return R"({"class": "BandView", "bandType": ")" + type + R"(", "name": ")" + type +
           R"(", "top": )" + std::to_string(top) + R"(, "height": )" + std::to_string(height) +
           extra + "}";
}

std::string Memo(const std::string& name, int top, const std::string& text,
                 const std::string& extra = "", int left = 60) {
    return R"({"class": "MemoView", "name": ")" + name + R"(", "left": )" + std::to_string(left) +
           R"(, "top": )" + std::to_string(top) + R"(, "width": 200, "height": 16, "memo": [")" +
           text + "\"]" + extra + "}";
}

using Texts = std::vector<std::string>;

// The engine's texts are Windows-1252; the expectations are written in UTF-8.
Texts W(std::initializer_list<const char*> utf8) {
    Texts texts;
    for (const char* text : utf8)
        texts.push_back(Utf8ToCp1252(text));
    return texts;
}

TEST_F(ReportBuilderTest, EmptyDataSourcePrintsOnlyTheBandsOutsideTheData) {
    ASSERT_TRUE(Build(Band("ReportTitle", 50, 20) + "," + Memo("T", 52, "Titre") + "," +
                          Band("MasterHeader", 80, 20) + "," + Memo("H", 82, "En-tête") + "," +
                          Band("MasterData", 110, 20) + "," + Memo("D", 112, "Ligne") + "," +
                          Band("MasterFooter", 140, 20) + "," + Memo("F", 142, "Pied") + "," +
                          Band("ReportSummary", 170, 20) + "," + Memo("S", 172, "Fin"),
                      0));
    ASSERT_EQ(pages.PageCount(), 1);
    EXPECT_EQ(pages.Texts(0), (Texts{"Titre", "Fin"}));
}

TEST_F(ReportBuilderTest, HeaderOnceDataPerRecordFooterOnceWithLineNumbers) {
    ASSERT_TRUE(Build(Band("MasterHeader", 50, 20) + "," + Memo("H", 52, "En-tête") + "," +
                          Band("MasterData", 80, 20) + "," + Memo("D", 82, "[LINE#]") + "," +
                          Band("MasterFooter", 110, 20) + "," + Memo("F", 112, "Pied"),
                      3));
    ASSERT_EQ(pages.PageCount(), 1);
    EXPECT_EQ(pages.Texts(0), W({"En-tête", "1", "2", "3", "Pied"}));
    // Bands follow each other from the top margin; objects keep their place in the band.
    const auto& objects = pages.Pages()[0].objects;
    EXPECT_EQ(objects[0].top, 52);
    EXPECT_EQ(objects[1].top, 72);
    EXPECT_EQ(objects[3].top, 112);
    EXPECT_EQ(objects[4].top, 132);
    EXPECT_EQ(objects[1].left, 60);
}

TEST_F(ReportBuilderTest, FormNewPageGivesOnePagePerRecord) {
    ASSERT_TRUE(
        Build(Band("MasterData", 80, 20, R"(, "flags": 3)") + "," + Memo("D", 82, "[LINE#]"), 3));
    ASSERT_EQ(pages.PageCount(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(pages.Texts(i), (Texts{std::to_string(i + 1)}));
}

TEST_F(ReportBuilderTest, OverflowStartsAPageWithHeaderAndFootsTheFinishedOne) {
    struct Case {
        int footerFlags;
        std::vector<bool> footerOnPage;
    };
    const Case cases[] = {{0, {false, true, false}},
                          {16, {true, true, false}},
                          {32, {false, true, true}},
                          {48, {true, true, true}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.footerFlags);
        // Page header 20, footer 20: n records of 20 fit on a page.
        JsonToTemplate(ParseJson(R"({"pages": [{"topMargin": 50, "bottomMargin": 50}]})"), report);
        const int perPage = (UsableHeight() - 40) / 20;
        ASSERT_TRUE(Build(
            Band("PageHeader", 50, 20, R"(, "flags": 16)") + "," + Memo("PH", 52, "Haut [PAGE#]") +
                "," + Band("MasterData", 80, 20) + "," + Memo("D", 82, "[LINE#]") + "," +
                Band("PageFooter", 900, 20, R"(, "flags": )" + std::to_string(c.footerFlags)) +
                "," + Memo("PF", 902, "Bas [PAGE#]"),
            2 * perPage + 1));
        ASSERT_EQ(pages.PageCount(), 3);
        for (int i = 0; i < 3; ++i) {
            const Texts texts = pages.Texts(i);
            EXPECT_EQ(texts.front(), "Haut " + std::to_string(i + 1));
            const bool hasFooter = texts.back() == "Bas " + std::to_string(i + 1);
            EXPECT_EQ(hasFooter, c.footerOnPage[i]) << "page " << i + 1;
        }
        EXPECT_EQ(pages.Texts(1)[1], std::to_string(perPage + 1));
        EXPECT_EQ(pages.Texts(2)[1], std::to_string(2 * perPage + 1));
    }
}

TEST_F(ReportBuilderTest, TwoColumnsFillTheFirstThenTheSecondThenANewPage) {
    JsonToTemplate(ParseJson(R"({"pages": [{"topMargin": 50, "bottomMargin": 50}]})"), report);
    const int perColumn = UsableHeight() / 20;
    ASSERT_TRUE(Build(Band("MasterData", 50, 20) + "," + Memo("D", 52, "[LINE#]"),
                      2 * perColumn + 1, R"(, "columns": 2, "columnGap": 20)"));
    ASSERT_EQ(pages.PageCount(), 2);
    const auto& first = pages.Pages()[0].objects;
    ASSERT_EQ(static_cast<int>(first.size()), 2 * perColumn);
    const IntRect area = report.pages[0].PrintableArea();
    const int columnWidth = (area.right - area.left - 20) / 2;
    EXPECT_EQ(first[perColumn].left, 60 + columnWidth + 20);
    EXPECT_EQ(first[perColumn].top, 52);
    EXPECT_EQ(first[perColumn - 1].left, 60);
    EXPECT_EQ(pages.Texts(1), (Texts{std::to_string(2 * perColumn + 1)}));
}

TEST_F(ReportBuilderTest, GroupFootersSumTheirGroupAndTheSummarySumsAll) {
    // Records 0..5: groups of two (A, A, B, B, C, C), amounts 1..6.
    report.onGetValue = [this](const std::string& name, Variant& value) {
        if (name == "Grp") value = Variant::String(std::string(1, 'A' + data.RecordNo() / 2));
        if (name == "Amount") value = Variant::Int32(data.RecordNo() + 1);
    };
    ASSERT_TRUE(Build(Band("GroupHeader", 50, 20, R"(, "formatPattern": "[Grp]")") + "," +
                          Memo("GH", 52, "Groupe [Grp]") + "," + Band("MasterData", 80, 20) + "," +
                          Memo("D", 82, "[Amount]") + "," + Band("GroupFooter", 110, 20) + "," +
                          Memo("GF", 112, "Total [SUM([Amount])]") + "," +
                          Band("ReportSummary", 140, 20) + "," +
                          Memo("S", 142, "Général [SUM([Amount])]"),
                      6));
    EXPECT_EQ(AllTexts(), W({"Groupe A", "1", "2", "Total 3", "Groupe B", "3", "4", "Total 7",
                             "Groupe C", "5", "6", "Total 11", "Général 21"}));
}

TEST_F(ReportBuilderTest, MinOverNoRecordsShowsItsStartingValue) {
    ASSERT_TRUE(Build(Band("MasterData", 50, 20) + "," + Memo("D", 52, "x") + "," +
                          Band("ReportSummary", 80, 20) + "," + Memo("S", 82, "[MIN([X])]"),
                      0));
    EXPECT_EQ(AllTexts(), (Texts{Variant::Double(1e300).ToText()}));
}

TEST_F(ReportBuilderTest, TwoNewPageCallsInOneScriptGiveTwoBreaks) {
    ASSERT_TRUE(
        Build(Band("ReportTitle", 50, 20) + "," + Memo("T", 52, "Titre") + "," +
                  Band("ReportSummary", 80, 20, R"(, "script": ["begin NEWPAGE; NEWPAGE end"])") +
                  "," + Memo("S", 82, "Fin"),
              0));
    ASSERT_EQ(pages.PageCount(), 3);
    EXPECT_EQ(pages.Texts(0), (Texts{"Titre"}));
    EXPECT_TRUE(pages.Texts(1).empty());
    EXPECT_EQ(pages.Texts(2), (Texts{"Fin"}));
}

TEST_F(ReportBuilderTest, ScriptsSeeTheBottomMarginAboveThePageFooter) {
    // What a script reading the page's BottomMargin gets while the title prints.
    int seen = -1;
    report.onBeforePrint = [&](StringList&, View& object) {
        seen = object.OwnerPage()->GetPropertyValue("BottomMargin").ToInt();
    };
    const std::string title = Band("ReportTitle", 50, 20) + "," + Memo("T", 52, "Titre");
    ASSERT_TRUE(Build(title, 0));
    const int withoutFooter = seen;
    EXPECT_EQ(withoutFooter, report.pages[0].PrintableArea().bottom);
    ASSERT_TRUE(Build(title + "," + Band("PageFooter", 300, 40, R"(, "flags": 16)"), 0));
    EXPECT_EQ(seen, withoutFooter - 40);
    // Outside a build the margin is the stored one again.
    EXPECT_NE(report.pages[0].GetPropertyValue("BottomMargin").ToInt(), withoutFooter - 40);
}

TEST_F(ReportBuilderTest, TwoPassPrintsTheTotalPagesOnEveryPage) {
    struct Case {
        int twoPass;
        std::string total;
    };
    for (const Case& c : {Case{1, "3"}, Case{0, "0"}}) {
        SCOPED_TRACE(c.twoPass);
        ASSERT_TRUE(Build(Band("MasterData", 80, 20, R"(, "flags": 3)") + "," +
                              Memo("D", 82, "[LINE#]") + "," +
                              Band("PageFooter", 900, 20, R"(, "flags": 48)") + "," +
                              Memo("PF", 902, "Page [PAGE#] / [TOTALPAGES]", R"(, "flags": 3)"),
                          3, "", c.twoPass));
        ASSERT_EQ(pages.PageCount(), 3);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(pages.Texts(i).back(), "Page " + std::to_string(i + 1) + " / " + c.total);
    }
}

TEST_F(ReportBuilderTest, SuppressSkipsRepeatsUntilTheDataRestarts) {
    report.onGetValue = [this](const std::string& name, Variant& value) {
        if (name == "V") value = Variant::String(data.RecordNo() < 2 ? "a" : "b");
    };
    ASSERT_TRUE(
        Build(Band("MasterData", 50, 20) + "," + Memo("D", 52, "[V]", R"(, "flags": 33)"), 4));
    EXPECT_EQ(AllTexts(), (Texts{"a", "b"}));
}

TEST_F(ReportBuilderTest, OnBeforePrintTextIsPrintedWithoutExpansion) {
    report.onBeforePrint = [](StringList& memo, View& object) {
        if (object.name == "D") memo = {Utf8ToCp1252("[pas développé]")};
    };
    ASSERT_TRUE(Build(Band("MasterData", 50, 20) + "," + Memo("D", 52, "[LINE#]") + "," +
                          Memo("E", 52, "[LINE#]", "", 300),
                      1));
    EXPECT_EQ(AllTexts(), W({"[pas développé]", "1"}));
}

TEST_F(ReportBuilderTest, ChildBandPrintsAfterItsBand) {
    ASSERT_TRUE(Build(Band("MasterData", 50, 20, R"(, "childBand": "Enfant")") + "," +
                          Memo("D", 52, "[LINE#]") + "," +
                          R"({"class": "BandView", "bandType": "Child", "name": "Enfant",
                              "top": 300, "height": 20})" +
                          "," + Memo("C", 302, "enfant"),
                      2));
    EXPECT_EQ(AllTexts(), (Texts{"1", "enfant", "2", "enfant"}));
    EXPECT_EQ(pages.Pages()[0].objects[1].top, 72);
}

TEST_F(ReportBuilderTest, StretchedBandGrowsWithItsText) {
    report.onGetValue = [](const std::string& name, Variant& value) {
        if (name == "Long") value = Variant::String("un\rdeux\rtrois");
    };
    ASSERT_TRUE(Build(Band("MasterData", 50, 20, R"(, "flags": 1)") + "," +
                          Memo("D", 52, "[Long]") + "," + Band("MasterFooter", 100, 20) + "," +
                          Memo("F", 102, "Pied"),
                      1));
    const auto& objects = pages.Pages()[0].objects;
    ASSERT_EQ(objects.size(), 2u);
    EXPECT_EQ(objects[0].height, 48);
    EXPECT_EQ(objects[1].top, 50 + 2 + 48 + 2);
}

TEST_F(ReportBuilderTest, ScriptHidingTheBandHidesTheRunTimeBand) {
    report.onGetValue = [this](const std::string& name, Variant& value) {
        if (name == "Pair") value = Variant::Int32(data.RecordNo() % 2);
    };
    ASSERT_TRUE(Build(
        Band(
            "MasterData", 50, 20,
            R"(, "script": ["if [Pair] = 1 then MasterData.Visible := False else MasterData.Visible := True"])") +
            "," + Memo("D", 52, "[LINE#]"),
        4));
    EXPECT_EQ(AllTexts(), (Texts{"1", "3"}));
}

TEST_F(ReportBuilderTest, ErrorInAnObjectNamesTheReportAndTheObjectAndLeavesNoPages) {
    EXPECT_FALSE(Build(Band("MasterData", 50, 20) + "," + Memo("Fautif", 52, "[1 + ]"), 2));
    EXPECT_EQ(pages.PageCount(), 0);
    EXPECT_EQ(errorText.rfind(
                  "Une erreur s'est produite durant la pr\xE9paration\r[1 + ]\r\rEtat: report1\r"
                  "Object: Fautif\r\r",
                  0),
              0u)
        << errorText;
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].rfind("Erreur: Une erreur", 0), 0u);
}

TEST_F(ReportBuilderTest, TemplateIsRestoredAfterTheBuild) {
    ASSERT_TRUE(Build(Band("MasterData", 50, 20, R"(, "script": ["MasterData.Height := 80"])") +
                          "," + Memo("D", 52, "x", R"x(, "script": ["Memo.Add('y')"])x"),
                      2));
    View* memo = report.FindObject("D");
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(memo->top, 52);
    EXPECT_EQ(memo->memo, (StringList{"x"}));
    EXPECT_EQ(report.FindObject("MasterData")->height, 20);
}

TEST_F(ReportBuilderTest, StretchedBandAllowedToSplitContinuesOnTheNextPage) {
    constexpr int kLines = 100;  // 1600 pixels of text: more than a page
    std::string text;
    for (int i = 1; i <= kLines; ++i) {
        if (i > 1) text += '\r';
        text += std::to_string(i);
    }
    report.onGetValue = [&](const std::string& name, Variant& value) {
        if (name == "Long") value = Variant::String(text);
    };
    ASSERT_TRUE(Build(Band("MasterData", 50, 20, R"(, "flags": 9)") + "," +
                          Memo("D", 52, "[Long]", R"(, "flags": 1)") + "," +
                          Band("MasterFooter", 100, 20) + "," + Memo("F", 102, "Pied"),
                      1));
    ASSERT_GE(pages.PageCount(), 2);
    const int bottom = report.pages[0].PrintableArea().bottom;
    // Every page holds the lines that fit above its bottom; together they are the text.
    std::vector<std::string> lines;
    for (int i = 0; i < pages.PageCount(); ++i) {
        SCOPED_TRACE(i);
        const RecordedObject& part = pages.Pages()[static_cast<size_t>(i)].objects.front();
        EXPECT_EQ(part.name, "D");
        EXPECT_EQ(part.top, i == 0 ? 52 : 50);  // the rest starts at the top of the band
        EXPECT_LE(part.top + static_cast<int>(part.text.size()) * 16, bottom);
        if (i + 1 < pages.PageCount()) {
            EXPECT_EQ(static_cast<int>(part.text.size()), (bottom - 2 - 50 - 2) / 16);
        }
        lines.insert(lines.end(), part.text.begin(), part.text.end());
    }
    ASSERT_EQ(static_cast<int>(lines.size()), kLines);
    for (int i = 0; i < kLines; ++i)
        EXPECT_EQ(lines[static_cast<size_t>(i)], std::to_string(i + 1));
    // The footer follows what the band used on its last page.
    const auto& last = pages.Pages().back().objects;
    ASSERT_EQ(last.size(), 2u);
    EXPECT_EQ(last[1].name, "F");
    EXPECT_GE(last[1].top, last[0].top + static_cast<int>(last[0].text.size()) * 16);
    EXPECT_LT(last[1].top, bottom);
}

TEST_F(ReportBuilderTest, SplitBandThatFitsPrintsWhole) {
    ASSERT_TRUE(
        Build(Band("MasterData", 50, 20, R"(, "flags": 8)") + "," + Memo("D", 52, "[LINE#]"), 3));
    ASSERT_EQ(pages.PageCount(), 1);
    EXPECT_EQ(pages.Texts(0), (Texts{"1", "2", "3"}));
    EXPECT_EQ(pages.Pages()[0].objects[2].top, 92);
}

// Cross-tab: a vertical cross data band over three virtual records crosses the master data
// band and its footer; the footer shows one total per column.
const char* const kCrossTemplate = R"({"pages": [{"topMargin": 50, "bottomMargin": 50,
    "leftMargin": 40, "rightMargin": 40, "objects": [
    {"class": "BandView", "bandType": "MasterData", "name": "Donnees", "top": 80, "height": 20},
    {"class": "BandView", "bandType": "MasterFooter", "name": "Pied", "top": 110, "height": 20},
    {"class": "BandView", "bandType": "CrossData", "name": "Colonnes", "left": 200, "top": 0,
     "width": 60, "height": 400, "formatPattern": "3"},
    {"class": "MemoView", "name": "Nom", "left": 60, "top": 82, "width": 100, "height": 16,
     "memo": ["Ligne [LINE#]"]},
    {"class": "MemoView", "name": "Cellule", "left": 205, "top": 82, "width": 50, "height": 16,
     "memo": ["[LINE#]x[COLUMN#]"]},
    {"class": "MemoView", "name": "Total", "left": 205, "top": 112, "width": 50, "height": 16,
     "memo": ["[SUM([LINE#] * [COLUMN#])]"]}]}]})";

TEST_F(ReportBuilderTest, CrossTabPrintsOneCellPerColumnAndPerColumnTotals) {
    ASSERT_TRUE(BuildTemplate(kCrossTemplate, 2)) << errorText;
    EXPECT_EQ(pages.Listing(),
              "page 1\n"
              "  Nom 60,52 100x16: Ligne 1\n"
              "  Cellule 205,52 50x16: 1x1\n"
              "  Cellule 265,52 50x16: 1x2\n"
              "  Cellule 325,52 50x16: 1x3\n"
              "  Nom 60,72 100x16: Ligne 2\n"
              "  Cellule 205,72 50x16: 2x1\n"
              "  Cellule 265,72 50x16: 2x2\n"
              "  Cellule 325,72 50x16: 2x3\n"
              "  Total 205,92 50x16: 3\n"
              "  Total 265,92 50x16: 6\n"
              "  Total 325,92 50x16: 9\n");
}

TEST_F(ReportBuilderTest, CrossColumnsPastTheRightEdgeGoOnTheNextPageToTheRight) {
    std::string json = kCrossTemplate;
    json.replace(json.find("\"formatPattern\": \"3\""), 20, "\"formatPattern\": \"9\"");
    ASSERT_TRUE(BuildTemplate(json, 1)) << errorText;
    ASSERT_EQ(pages.PageCount(), 2);
    const int rightX = report.pages[0].PrintableArea().right;
    const int perPage = (rightX - 200) / 60;
    const Texts first = pages.Texts(0);
    ASSERT_EQ(static_cast<int>(first.size()), 1 + perPage + perPage);
    EXPECT_EQ(first[static_cast<size_t>(perPage)], "1x" + std::to_string(perPage));
    const auto& second = pages.Pages()[1].objects;
    ASSERT_FALSE(second.empty());
    EXPECT_EQ(second.front().text, (Texts{"1x" + std::to_string(perPage + 1)}));
    EXPECT_EQ(second.front().left, 40 + 5);
}

// Two sub-reports side by side in the title of the first page; the summary follows the longer.
const char* const kSubReportTemplate = R"({"pages": [
    {"topMargin": 50, "bottomMargin": 50, "leftMargin": 40, "rightMargin": 40, "objects": [
    {"class": "BandView", "bandType": "ReportTitle", "name": "Titre", "top": 50, "height": 20},
    {"class": "SubReportView", "name": "SousA", "left": 0, "top": 52, "width": 200,
     "height": 16, "subReportPage": 1},
    {"class": "SubReportView", "name": "SousB", "left": 250, "top": 52, "width": 200,
     "height": 16, "subReportPage": 2},
    {"class": "BandView", "bandType": "ReportSummary", "name": "Fin", "top": 100, "height": 20},
    {"class": "MemoView", "name": "Total", "left": 60, "top": 102, "width": 100, "height": 16,
     "memo": ["Fin"]}]},
    {"objects": [
    {"class": "BandView", "bandType": "MasterData", "name": "DonneesA", "top": 50, "height": 20,
     "formatPattern": "3"},
    {"class": "MemoView", "name": "A", "left": 60, "top": 52, "width": 100, "height": 16,
     "memo": ["A[LINE#]"]}]},
    {"objects": [
    {"class": "BandView", "bandType": "MasterData", "name": "DonneesB", "top": 50, "height": 20,
     "formatPattern": "2"},
    {"class": "MemoView", "name": "B", "left": 60, "top": 52, "width": 100, "height": 16,
     "memo": ["B[LINE#]"]}]}]})";

TEST_F(ReportBuilderTest, SubReportsPrintSideBySideInTheirHostBand) {
    ASSERT_TRUE(BuildTemplate(kSubReportTemplate, 0)) << errorText;
    EXPECT_EQ(pages.Listing(),
              "page 1\n"
              "  A 100,54 100x16: A1\n"
              "  A 100,74 100x16: A2\n"
              "  A 100,94 100x16: A3\n"
              "  B 350,54 100x16: B1\n"
              "  B 350,74 100x16: B2\n"
              "  Total 60,114 100x16: Fin\n");
}

TEST_F(ReportBuilderTest, SubReportLongerThanThePageContinuesOnANewPage) {
    std::string json = kSubReportTemplate;
    json.replace(json.find("\"formatPattern\": \"3\""), 20, "\"formatPattern\": \"90\"");
    ASSERT_TRUE(BuildTemplate(json, 0)) << errorText;
    ASSERT_EQ(pages.PageCount(), 2);
    std::vector<std::string> a;
    for (const std::string& text : AllTexts())
        if (text[0] == 'A') a.push_back(text);
    ASSERT_EQ(a.size(), 90u);
    EXPECT_EQ(a.back(), "A90");
    EXPECT_EQ(pages.Texts(1).back(), "Fin");
}

// A sub-report inside a sub-report: the inner one overflows the page and goes on on the next
// page through its outer sub-report, never past the page bottom.
TEST_F(ReportBuilderTest, NestedSubReportContinuesOnANewPageThroughItsOuterSubReport) {
    const auto nested = [](int records) {
        return R"({"pages": [
    {"topMargin": 50, "bottomMargin": 50, "leftMargin": 40, "rightMargin": 40, "objects": [
    {"class": "BandView", "bandType": "ReportTitle", "name": "Titre", "top": 50, "height": 20},
    {"class": "SubReportView", "name": "Externe", "left": 0, "top": 52, "width": 300,
     "height": 16, "subReportPage": 1},
    {"class": "BandView", "bandType": "ReportSummary", "name": "Fin", "top": 100, "height": 20},
    {"class": "MemoView", "name": "Total", "left": 60, "top": 102, "width": 100, "height": 16,
     "memo": ["Fin"]}]},
    {"objects": [
    {"class": "BandView", "bandType": "ReportTitle", "name": "TitreE", "top": 50, "height": 40},
    {"class": "MemoView", "name": "E", "left": 60, "top": 52, "width": 100, "height": 16,
     "memo": ["Externe"]},
    {"class": "SubReportView", "name": "Interne", "left": 10, "top": 70, "width": 200,
     "height": 16, "subReportPage": 2}]},
    {"objects": [
    {"class": "BandView", "bandType": "MasterData", "name": "DonneesI", "top": 50, "height": 20,
     "formatPattern": ")" +
               std::to_string(records) +
               R"("},
    {"class": "MemoView", "name": "I", "left": 60, "top": 52, "width": 100, "height": 16,
     "memo": ["I[LINE#]"]}]}]})";
    };
    struct Case {
        int records;
        int pageCount;
    };
    for (const Case c : {Case{3, 1}, Case{90, 2}, Case{150, 4}}) {
        SCOPED_TRACE(c.records);
        ASSERT_TRUE(BuildTemplate(nested(c.records), 0)) << errorText;
        ASSERT_EQ(pages.PageCount(), c.pageCount);
        const int bottom = report.pages[0].PrintableArea().bottom;
        Texts expected{"Externe"};
        for (int i = 1; i <= c.records; ++i)
            expected.push_back(std::string(1, 'I') + std::to_string(i));
        expected.push_back("Fin");
        EXPECT_EQ(AllTexts(), expected);
        for (const RecordedPage& page : pages.Pages())
            for (const RecordedObject& object : page.objects)
                EXPECT_LE(object.top + object.height, bottom) << object.name;
        for (int i = 1; i < pages.PageCount(); ++i) {  // each page goes on from its top
            ASSERT_FALSE(pages.Pages()[static_cast<size_t>(i)].objects.empty());
            EXPECT_EQ(pages.Pages()[static_cast<size_t>(i)].objects.front().top,
                      report.pages[0].PrintableArea().top + 2);
        }
    }
}

// A progress window that presses its cancel button when the build reaches page `cancelAt`.
class CancellingProgress final : public ProgressWindow {
  public:
    Result RunModal(const std::string& caption, const std::string& label,
                    const std::function<void()>& work,
                    const std::function<void()>& cancel) override {
        captions.push_back(caption + " / " + label);
        cancel_ = cancel;
        result_ = Result::Ok;
        work();
        return result_;
    }
    void Close(Result result) override {
        result_ = result;
        closes.push_back(result);
    }
    void SetLabel(const std::string& label) override {
        labels.push_back(label);
        if (static_cast<int>(labels.size()) == cancelAt && cancel_) cancel_();
    }
    void SetSecondLine(const std::string&) override {}

    int cancelAt = 0;
    std::vector<std::string> captions, labels;
    std::vector<Result> closes;

  private:
    std::function<void()> cancel_;
    Result result_ = Result::Ok;
};

TEST_F(ReportBuilderTest, CancelFromTheProgressWindowStopsAndTheReportBuildsAgain) {
    const std::string json = R"({"pages": [{"objects": [
        {"class": "BandView", "bandType": "MasterData", "name": "D", "top": 80, "height": 20,
         "flags": 2},
        {"class": "MemoView", "name": "M", "left": 60, "top": 82, "width": 100, "height": 16,
         "memo": ["[LINE#]"]}]}]})";
    report.showProgress = true;
    CancellingProgress progress;
    progress.cancelAt = 2;
    EXPECT_FALSE(BuildTemplate(json, 5, &progress));
    ASSERT_EQ(progress.closes.size(), 1u);
    EXPECT_EQ(progress.closes[0], ProgressWindow::Result::Cancel);
    EXPECT_LT(pages.PageCount(), 5);
    EXPECT_TRUE(dialogs.messages.empty());

    CancellingProgress again;
    EXPECT_TRUE(BuildTemplate(json, 5, &again));
    EXPECT_EQ(pages.PageCount(), 5);
    EXPECT_EQ(AllTexts(), (Texts{"1", "2", "3", "4", "5"}));
    ASSERT_FALSE(again.captions.empty());
    EXPECT_EQ(again.captions[0],
              Utf8ToCp1252("Préparation de l'état / Préparation de la Page :  1"));
    EXPECT_EQ(again.labels.back(), Utf8ToCp1252("Préparation de la Page :  5"));
}

TEST_F(ReportBuilderTest, FinalPassProgressShowsTheTotalOfTheFirstPass) {
    const std::string json = R"({"twoPass": 1, "pages": [{"objects": [
        {"class": "BandView", "bandType": "MasterData", "name": "D", "top": 80, "height": 20,
         "flags": 2},
        {"class": "MemoView", "name": "M", "left": 60, "top": 82, "width": 100, "height": 16,
         "memo": ["[LINE#]"]}]}]})";
    report.showProgress = true;
    CancellingProgress progress;
    EXPECT_TRUE(BuildTemplate(json, 3, &progress));
    ASSERT_FALSE(progress.captions.empty());
    EXPECT_EQ(progress.captions[0],
              Utf8ToCp1252("Préparation de l'état / Première passe en cours  1"));
    EXPECT_EQ(progress.labels.back(), Utf8ToCp1252("Préparation de la Page :  3 sur 3"));
}

TEST_F(ReportBuilderTest, DictionaryFieldCacheStartsEmptyOnEveryPass) {
    report.onBeginDoc = [this] { report.dictionary.fieldCache["ANCIEN"] = FieldReference{}; };
    std::vector<size_t> seen;
    report.onBeginBand = [&](report::Band&) {
        seen.push_back(report.dictionary.fieldCache.count("ANCIEN"));
    };
    ASSERT_TRUE(Build(Band("MasterData", 50, 20) + "," + Memo("D", 52, "[LINE#]"), 1));
    EXPECT_EQ(seen, (std::vector<size_t>{0}));
}

TEST_F(ReportBuilderTest, CompositeReportBuildsItsReportsInOrderIntoTheSamePages) {
    struct Case {
        int printToPrevPage;
        std::vector<Texts> pages;
    };
    const Case cases[] = {{0, {{"Premier 1", "Premier 2"}, {"Second 1"}}},
                          {1, {{"Premier 1", "Premier 2", "Second 1"}}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.printToPrevPage);
        const auto part = [](const std::string& name, int records, int printToPrevPage) {
            return R"({"pages": [{"printToPrevPage": )" + std::to_string(printToPrevPage) +
                   R"(, "objects": [
                {"class": "BandView", "bandType": "MasterData", "name": "D", "top": 80,
                 "height": 20, "formatPattern": ")" +
                   std::to_string(records) + R"("},
                {"class": "MemoView", "name": "M", "left": 60, "top": 82, "width": 100,
                 "height": 16, "memo": [")" +
                   name + R"( [LINE#]"]}]}]})";
        };
        Report first{state}, second{state};
        JsonToTemplate(ParseJson(part("Premier", 2, 0)), first);
        JsonToTemplate(ParseJson(part("Second", 1, c.printToPrevPage)), second);
        JsonToTemplate(ParseJson(R"({"pages": []})"), report);
        report.dataset = nullptr;
        std::vector<int> begun;
        report.onBeginPage = [&](int index) { begun.push_back(index); };
        ReportBuilder builder(report, {&first, &second}, core, pages, measurer);
        ASSERT_TRUE(builder.BuildReport()) << builder.ErrorText();
        ASSERT_EQ(pages.PageCount(), static_cast<int>(c.pages.size()));
        for (int i = 0; i < pages.PageCount(); ++i)
            EXPECT_EQ(pages.Texts(i), c.pages[static_cast<size_t>(i)]);
        EXPECT_EQ(begun.size(), c.pages.size());    // the composite hears of every page
        EXPECT_EQ(first.FindObject("M")->top, 82);  // each template comes back
    }
}

// A two-pass build sets every design page up once; its final pass reuses the first pass's
// bands, in a composite report as in a single one (not when a Dataset repeats the reports).
TEST_F(ReportBuilderTest, TwoPassBuildSetsItsPagesUpOnce) {
    const auto part = [](const std::string& name, int records) {
        return R"({"pages": [{"objects": [
            {"class": "BandView", "bandType": "MasterData", "name": "D", "top": 80,
             "height": 20, "formatPattern": ")" +
               std::to_string(records) + R"("},
            {"class": "MemoView", "name": "M", "left": 60, "top": 82, "width": 100,
             "height": 16, "memo": [")" +
               name + R"( [LINE#] / [TOTALPAGES]"]}]}]})";
    };
    struct Case {
        bool composite;
        int twoPass;
        int compositeRecords;  // 0: no Dataset
        int prepared;
        Texts texts;
    };
    const Case cases[] = {
        {false, 0, 0, 1, {"A 1 / ", "A 2 / "}},
        {false, 1, 0, 1, {"A 1 / 1", "A 2 / 1"}},
        {true, 0, 0, 2, {"A 1 / ", "A 2 / ", "B 1 / "}},
        {true, 1, 0, 2, {"A 1 / 2", "A 2 / 2", "B 1 / 2"}},
        {true, 1, 2, 8, {"A 1 / 4", "A 2 / 4", "B 1 / 4", "A 1 / 4", "A 2 / 4", "B 1 / 4"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.composite) + " " + std::to_string(c.twoPass) + " " +
                     std::to_string(c.compositeRecords));
        Report first{state}, second{state};
        JsonToTemplate(ParseJson(part("A", 2)), first);
        JsonToTemplate(ParseJson(part("B", 1)), second);
        int prepared = 0;
        if (c.composite) {
            JsonToTemplate(
                ParseJson(R"({"twoPass": )" + std::to_string(c.twoPass) + R"(, "pages": []})"),
                report);
            report.dataset = c.compositeRecords > 0 ? &data : nullptr;
            data.rangeEndCount = c.compositeRecords;
            ReportBuilder builder(report, {&first, &second}, core, pages, measurer);
            ASSERT_TRUE(builder.BuildReport()) << builder.ErrorText();
            prepared = builder.PagesPrepared();
        } else {
            first.twoPass = c.twoPass;
            ReportBuilder builder(first, core, pages, measurer);
            ASSERT_TRUE(builder.BuildReport()) << builder.ErrorText();
            prepared = builder.PagesPrepared();
        }
        EXPECT_EQ(prepared, c.prepared);
        EXPECT_EQ(AllTexts(), c.texts);
    }
}

TEST_F(ReportBuilderTest, TextLayoutMeasurerStretchesAndSplitsByLaidOutLines) {
    // A 200-pixel object lays each of these short lines out on one line.
    MeasuringCanvas canvas;
    TextLayoutMeasurer layout(canvas);
    MemoView memo;
    memo.width = 200;
    memo.height = 16;
    memo.expandedMemo = {"un", "deux", "trois", "quatre"};
    const int four = layout.CalcHeight(memo);
    ASSERT_GT(four, 0);
    memo.expandedMemo = {"un"};
    const int one = layout.CalcHeight(memo);
    ASSERT_GT(one, 0);
    const int pitch = (four - one) / 3;
    ASSERT_GT(pitch, 0);

    // Each line is a paragraph: the parts keep its end marker.
    memo.expandedMemo = {"un", "deux", "trois", "quatre"};
    const StringList rest = layout.SplitAt(memo, one + pitch);
    EXPECT_EQ(memo.expandedMemo, (StringList{"un\x01", "deux\x01"}));
    EXPECT_EQ(rest, (StringList{"trois\x01", "quatre\x01"}));
    EXPECT_TRUE(memo.preBroken);
    memo.preBroken = false;
    memo.expandedMemo = {"un"};
    EXPECT_TRUE(layout.SplitAt(memo, four).empty());
    EXPECT_EQ(memo.expandedMemo, (StringList{"un"}));

    // A justified paragraph cut in its middle: its wrapped lines stay as they are, with no
    // paragraph end before the cut, so that both parts print justified; the first part says
    // it is pre-broken with a closing marker line.
    memo.flags |= view_flag::kWordWrap;
    memo.alignment = text_align::kJustify;
    memo.width = 120;
    memo.expandedMemo = {"un deux trois quatre cinq six sept huit neuf dix onze douze"};
    const int whole = layout.CalcHeight(memo);
    ASSERT_GT(whole, one + 2 * pitch);
    const StringList second = layout.SplitAt(memo, one + pitch);
    ASSERT_EQ(memo.expandedMemo.size(), 3u);
    EXPECT_NE(memo.expandedMemo[1].back(), '\x01');
    EXPECT_EQ(memo.expandedMemo[2], "\x01");
    ASSERT_FALSE(second.empty());
    EXPECT_EQ(second.back().back(), '\x01');
    for (size_t i = 0; i + 1 < second.size(); ++i)
        EXPECT_NE(second[i].back(), '\x01');
}

// ---- Templates of other shapes: each prints right or is refused with a clear message ----

std::string NamedBand(const std::string& name, const std::string& type, int top, int height,
                      const std::string& extra = "") {
    return R"({"class": "BandView", "bandType": ")" + type + R"(", "name": ")" + name +
           R"(", "top": )" + std::to_string(top) + R"(, "height": )" + std::to_string(height) +
           extra + "}";
}

std::string SubReport(const std::string& name, int top, int page) {
    return R"({"class": "SubReportView", "name": ")" + name + R"(", "left": 0, "top": )" +
           std::to_string(top) + R"(, "width": 300, "height": 16, "subReportPage": )" +
           std::to_string(page) + "}";
}

// Every written object of every page lies between the top margin and the bottom above the
// page footer, but the page footer's own objects.
void ExpectWithinPrintableArea(const PageRecorder& pages, int top, int bottom,
                               const std::string& footerObject = "") {
    for (size_t i = 0; i < pages.Pages().size(); ++i) {
        for (const RecordedObject& object : pages.Pages()[i].objects) {
            if (object.name == footerObject) continue;
            SCOPED_TRACE("page " + std::to_string(i + 1) + " " + object.name);
            EXPECT_GE(object.top, top);
            const int lines = std::max(1, static_cast<int>(object.text.size()));
            EXPECT_LE(object.top + std::min(object.height, lines * 16), bottom);
        }
    }
}

// The page header and footer printed by a split band's page break show their own text.
TEST_F(ReportBuilderTest, PageBandsPrintedBySplitBandsBreakShowTheirOwnText) {
    AnswerLong(100);
    ASSERT_TRUE(Build(Band("PageHeader", 50, 20) + "," + Memo("H", 52, "Tête [PAGE#]") + "," +
                          Band("MasterData", 80, 20, R"(, "flags": 9)") + "," +
                          Memo("D", 82, "[Long]", R"(, "flags": 1)") + "," +
                          Band("PageFooter", 1000, 20) + "," + Memo("F", 1002, "Pied [PAGE#]"),
                      1))
        << errorText;
    ASSERT_GE(pages.PageCount(), 2);
    for (int i = 0; i < pages.PageCount(); ++i) {
        SCOPED_TRACE(i);
        const Texts texts = pages.Texts(i);
        const std::string number = std::to_string(i + 1);
        EXPECT_EQ(texts.front(), Utf8ToCp1252("Tête " + number));
        EXPECT_EQ(texts.back(), "Pied " + number);
    }
}

// A split band that starts with less room than one line goes to the next page whole.
TEST_F(ReportBuilderTest, SplitBandWithoutRoomForALineStartsOnTheNextPage) {
    ASSERT_TRUE(Build(Band("MasterData", 50, 20) + "," + Memo("D", 52, "[LINE#]"), 1));
    const int usable = UsableHeight();
    const int records = usable / 20 - 1;     // leaves 20 to 39 pixels: the footer's band fits,
    const int room = usable - records * 20;  // its text (two lines down) does not
    AnswerLong(5);
    ASSERT_TRUE(Build(Band("MasterData", 50, 20) + "," + Memo("D", 52, "[LINE#]") + "," +
                          Band("MasterFooter", 80, 20, R"(, "flags": 9)") + "," +
                          Memo("F", 80 + room - 12, "[Long]", R"(, "flags": 1)"),
                      records))
        << errorText;
    const IntRect area = report.pages[0].PrintableArea();
    ExpectWithinPrintableArea(pages, area.top, area.bottom);
    std::string all;
    for (const std::string& t : AllTexts())
        all += t + ";";
    EXPECT_NE(all.find("1|2|3|4|5"), std::string::npos) << all;
}

// A sub-report whose first row does not fit below its host band starts a new page.
TEST_F(ReportBuilderTest, SubReportWithoutRoomForItsFirstStepStartsANewPage) {
    ASSERT_TRUE(Build(Band("MasterData", 50, 20) + "," + Memo("D", 52, "[LINE#]"), 1));
    const int records = (UsableHeight() - 20) / 20;  // 20 to 39 pixels stay for the summary
    const std::string json =
        R"({"pages": [{"topMargin": 50, "bottomMargin": 50, "leftMargin": 40,
        "rightMargin": 40, "objects": [)" +
        Band("MasterData", 50, 20) + "," + Memo("D", 52, "[LINE#]") + "," +
        Band("ReportSummary", 80, 20) + "," + SubReport("Sous", 80, 1) + R"(]},
        {"objects": [)" +
        NamedBand("Lignes", "MasterData", 50, 40, R"(, "formatPattern": "3")") + "," +
        Memo("S", 52, "S[LINE#]") + "]}]}";
    ASSERT_TRUE(BuildTemplate(json, records)) << errorText;
    const IntRect area = report.pages[0].PrintableArea();
    ExpectWithinPrintableArea(pages, area.top, area.bottom);
    ASSERT_EQ(pages.PageCount(), 2);
    EXPECT_EQ(pages.Texts(1), (Texts{"S1", "S2", "S3"}));
}

// A sub-report page's groups break when their condition changes, and its summary prints.
TEST_F(ReportBuilderTest, SubReportPageGroupsAndSummary) {
    report.onGetValue = [&](const std::string& name, Variant& value) {
        if (name == "Cle") value = Variant::String(data.RecordNo() < 2 ? "a" : "b");
    };
    const std::string json =
        R"({"pages": [{"topMargin": 50, "bottomMargin": 50, "leftMargin": 40,
        "rightMargin": 40, "objects": [)" +
        Band("ReportTitle", 50, 20) + "," + SubReport("Sous", 52, 1) + R"(]},
        {"objects": [)" +
        NamedBand("Groupe", "GroupHeader", 30, 20, R"(, "formatPattern": "[Cle]")") + "," +
        Memo("G", 32, "G[Cle]") + "," +
        NamedBand("Lignes", "MasterData", 60, 20, R"(, "formatPattern": "userDataset1")") + "," +
        Memo("D", 62, "D[LINE#]") + "," + Band("ReportSummary", 90, 20) + "," +
        Memo("S", 92, "Fin") + "]}]}";
    ASSERT_TRUE(BuildTemplate(json, 4)) << errorText;
    EXPECT_EQ(AllTexts(), (Texts{"Ga", "D1", "D2", "Gb", "D1", "D2", "Fin"}));
}

// Child bands that lead back to a band are refused, naming them; a self-named child is none.
TEST_F(ReportBuilderTest, ChildBandLoopsAreRefusedNamingTheBands) {
    const std::string loop = NamedBand("A", "MasterData", 50, 20, R"(, "childBand": "B")") + "," +
                             NamedBand("B", "Child", 80, 20, R"(, "childBand": "C")") + "," +
                             NamedBand("C", "Child", 110, 20, R"(, "childBand": "B")");
    std::string message;
    try {
        Build(loop, 2);
    } catch (const EngineError& error) {
        message = error.what();
    }
    EXPECT_EQ(message, "Les bandes enfants forment une boucle : B, C, B");
    // A loop made by a script while building stops the build with the same message.
    EXPECT_FALSE(Build(NamedBand("A", "MasterData", 50, 20, R"(, "script": ["CHILDBAND := 'B'"])") +
                           "," + NamedBand("B", "Child", 80, 20, R"(, "childBand": "A")"),
                       2));
    EXPECT_NE(errorText.find("Les bandes enfants forment une boucle : A, B, A"), std::string::npos)
        << errorText;
    ASSERT_TRUE(Build(Band("MasterData", 50, 20, R"(, "childBand": "MasterData")") + "," +
                          Memo("D", 52, "[LINE#]"),
                      2));
    EXPECT_EQ(AllTexts(), (Texts{"1", "2"}));
}

// A band script that rebinds its own band's data source: the running loop keeps its source,
// the next loop of the band uses the new one.
TEST_F(ReportBuilderTest, DataSourceRebindTakesEffectAtTheNextLoop) {
    ASSERT_TRUE(Build(NamedBand("M", "MasterData", 50, 20, R"(, "formatPattern": "3")") + "," +
                          Memo("MM", 52, "M[LINE#]") + "," +
                          NamedBand("D", "DetailData", 80, 20,
                                    R"(, "formatPattern": "2", "script": ["DATASOURCE := '3'"])") +
                          "," + Memo("DD", 82, "d[LINE#]"),
                      0))
        << errorText;
    EXPECT_EQ(AllTexts(),
              (Texts{"M1", "d1", "d2", "M2", "d1", "d2", "d3", "M3", "d1", "d2", "d3"}));
}

// Objects in no band print at their own place on the first page of the page form.
TEST_F(ReportBuilderTest, ObjectsInNoBandPrintOnTheFirstPageOfTheForm) {
    ASSERT_TRUE(Build(Memo("Libre", 20, "Hors bande") + "," +
                          Band("MasterData", 80, 20, R"(, "flags": 3)") + "," +
                          Memo("D", 82, "[LINE#]"),
                      2));
    ASSERT_EQ(pages.PageCount(), 2);
    EXPECT_EQ(pages.Texts(0), (Texts{"Hors bande", "1"}));
    EXPECT_EQ(pages.Pages()[0].objects[0].top, 20);
    EXPECT_EQ(pages.Texts(1), (Texts{"2"}));
}

// The final pass of a two-pass build prints what a one-pass build prints, plus the total.
TEST_F(ReportBuilderTest, FinalPassStartsFromNothingCounted) {
    const auto build = [&](int twoPass) {
        const int perPage = 5;
        const std::string objects = Band("MasterData", 50, 20) + "," + Memo("D", 52, "[CURRENT#]") +
                                    "," + Band("PageFooter", 1000, 20, R"(, "flags": 48)") + "," +
                                    Memo("F", 1002, "[SUM([LINE#])]");
        EXPECT_TRUE(Build(objects, perPage * 3, "", twoPass)) << errorText;
        return AllTexts();
    };
    const Texts one = build(0);
    const Texts two = build(1);
    EXPECT_EQ(two, one);
    ASSERT_FALSE(one.empty());
    EXPECT_EQ(one.front(), "1");
}

// A form that ended in the second column of a page with a page footer leaves the page full:
// the next form, printed to the previous page, starts a new one.
TEST_F(ReportBuilderTest, PrintToPrevPageAfterTwoColumnsStartsANewPage) {
    ASSERT_TRUE(Build(Band("MasterData", 50, 20) + "," + Memo("D", 52, "[LINE#]"), 1));
    const int records = (UsableHeight() - 20) / 20 + 3;  // the first column and 3 more rows
    const std::string json =
        R"({"pages": [{"topMargin": 50, "bottomMargin": 50, "leftMargin": 40,
        "rightMargin": 40, "columns": 2, "objects": [)" +
        Band("MasterData", 50, 20) + "," + Memo("D", 52, "[LINE#]", "", 10) + "," +
        Band("PageFooter", 1000, 20) + "," + Memo("F", 1002, "Pied") + R"(]},
        {"topMargin": 50, "bottomMargin": 50, "leftMargin": 40, "rightMargin": 40,
         "printToPrevPage": 1, "objects": [)" +
        Band("ReportTitle", 50, 20) + "," + Memo("T", 52, "Suite") + "]}]}";
    ASSERT_TRUE(BuildTemplate(json, records)) << errorText;
    ASSERT_EQ(pages.PageCount(), 2);
    EXPECT_EQ(pages.Texts(1), (Texts{"Suite"}));
    EXPECT_GE(pages.Pages()[1].objects[0].top, report.pages[1].PrintableArea().top);
}

// Aggregates: a summary showing totals of two data bands shows both; a summary AVG after
// group footers averages every record; AVG over no records prints 0.
TEST_F(ReportBuilderTest, AggregatesOfSeveralBandsAndAveragesAfterResets) {
    ASSERT_TRUE(Build(NamedBand("M", "MasterData", 50, 20, R"(, "formatPattern": "2")") + "," +
                          NamedBand("D", "DetailData", 80, 20, R"(, "formatPattern": "3")") + "," +
                          Band("ReportSummary", 110, 20) + "," +
                          Memo("S", 112, "[COUNT(M)] [COUNT(D)]"),
                      0))
        << errorText;
    EXPECT_EQ(AllTexts(), (Texts{"2 6"}));

    report.onGetValue = [&](const std::string& name, Variant& value) {
        if (name == "Cle") value = Variant::Int32(data.RecordNo() / 2);
        if (name == "V") value = Variant::Int32(data.RecordNo() + 1);
    };
    ASSERT_TRUE(Build(NamedBand("G", "GroupHeader", 30, 20, R"(, "formatPattern": "[Cle]")") + "," +
                          Band("MasterData", 60, 20) + "," + Band("GroupFooter", 90, 20) + "," +
                          Memo("GF", 92, "[AVG([V])]") + "," + Band("ReportSummary", 120, 20) +
                          "," + Memo("S", 122, "[AVG([V])]"),
                      4))
        << errorText;
    EXPECT_EQ(AllTexts(), (Texts{"1,5", "3,5", "2,5"}));

    // Over no records an average is a zero, printed as the sum of nothing is.
    ASSERT_TRUE(Build(Band("MasterData", 60, 20) + "," + Band("ReportSummary", 120, 20) + "," +
                          Memo("S", 122, "[AVG([V])]/[SUM([V])]"),
                      0))
        << errorText;
    EXPECT_EQ(AllTexts(), (Texts{"/"}));
}

// A header whose bottom touches its data band belongs to it.
TEST_F(ReportBuilderTest, HeaderTouchingItsDataBandAttaches) {
    ASSERT_TRUE(Build(Band("MasterHeader", 50, 30) + "," + Memo("H", 52, "En-tête") + "," +
                          Band("MasterData", 80, 20) + "," + Memo("D", 82, "[LINE#]"),
                      2));
    EXPECT_EQ(AllTexts(), W({"En-tête", "1", "2"}));
}

// A stretched band taller than a page prints on the next page, without blank pages.
TEST_F(ReportBuilderTest, StretchedBandTallerThanAPageLeavesNoBlankPage) {
    AnswerLong(100);
    ASSERT_TRUE(Build(Band("ReportTitle", 50, 20) + "," + Memo("T", 52, "Titre") + "," +
                          Band("MasterData", 80, 20, R"(, "flags": 1)") + "," +
                          Memo("D", 82, "[Long]", R"(, "flags": 1)"),
                      1))
        << errorText;
    ASSERT_EQ(pages.PageCount(), 2);
    EXPECT_EQ(pages.Texts(0), (Texts{"Titre"}));
    ASSERT_EQ(pages.Pages()[1].objects.size(), 1u);
    EXPECT_EQ(pages.Pages()[1].objects[0].top, report.pages[0].PrintableArea().top + 2);
}

// A nested sub-report in a band that prints with its data band as one record (a same-kind band
// without a data source) keeps every row, across page breaks.
TEST_F(ReportBuilderTest, NestedSubReportAfterItsDataBandKeepsEveryRow) {
    const std::string json =
        R"({"pages": [{"topMargin": 50, "bottomMargin": 50, "leftMargin": 40,
        "rightMargin": 40, "objects": [)" +
        Band("ReportTitle", 50, 20) + "," + SubReport("Externe", 52, 1) + R"(]},
        {"objects": [)" +
        NamedBand("M", "MasterData", 20, 20, R"(, "formatPattern": "1")") + "," +
        NamedBand("A", "DetailData", 50, 20, R"(, "formatPattern": "2")") + "," +
        Memo("MA", 52, "A[LINE#]") + "," + NamedBand("B", "DetailData", 80, 20) + "," +
        SubReport("Interne", 82, 2) + R"(]},
        {"objects": [)" +
        NamedBand("L", "MasterData", 50, 20, R"(, "formatPattern": "70")") + "," +
        Memo("ML", 52, "L[LINE#]") + "]}]}";
    ASSERT_TRUE(BuildTemplate(json, 0)) << errorText;
    int rows = 0;
    for (const std::string& text : AllTexts())
        if (text[0] == 'L') ++rows;
    EXPECT_EQ(rows, 140);
    const IntRect area = report.pages[0].PrintableArea();
    ExpectWithinPrintableArea(pages, area.top, area.bottom);
}

// Measuring a band sees what will print: the object's script, its visibility.
TEST_F(ReportBuilderTest, BandsAreMeasuredAsTheirObjectsWillPrint) {
    MeasuringCanvas canvas;
    TextLayoutMeasurer layout(canvas);
    AnswerLong(6);
    const auto nextTop = [&](const std::string& script) {
        JsonToTemplate(
            ParseJson(R"({"pages": [{"topMargin": 50, "bottomMargin": 50, "objects": [)" +
                      Band("MasterData", 50, 20, R"(, "flags": 1)") + "," +
                      Memo("D", 52, "[Long]", R"(, "flags": 1, "script": [")" + script + "\"]") +
                      "," + Band("MasterFooter", 100, 20) + "," + Memo("F", 102, "Pied") + "]}]}"),
            report);
        data.rangeEndCount = 1;
        ReportBuilder builder(report, core, pages, layout);
        EXPECT_TRUE(builder.BuildReport()) << builder.ErrorText();
        for (const RecordedObject& object : pages.Pages()[0].objects)
            if (object.name == "F") return object.top;
        return -1;
    };
    const int plain = nextTop("begin end");
    const int larger = nextTop("FONT.SIZE := 20");
    const int hidden = nextTop("Visible := False");
    EXPECT_GT(larger, plain);
    EXPECT_LT(hidden, plain);
}

// Damaged templates (found by fuzzing): a split band and its object far below any paper. The
// build keeps such geometry to a roll of paper, and a split band never prints a run of blank
// pages: the object prints once, on the first page where the band has nothing else to print.
TEST_F(ReportBuilderTest, SplitBandWithAnObjectFarBelowPrintsItWithoutBlankPages) {
    struct Case {
        const char* what;
        std::string objects;
        int pageCount;
    };
    const Case cases[] = {
        {"band at the top of the first page",
         Band("ReportTitle", 50, 2000000000, R"(, "flags": 8)") + "," +
             Memo("Loin", 1000000000, "Loin"),
         1},
        {"band below a title",
         Band("ReportTitle", 50, 20) + "," + Memo("T", 52, "Titre") + "," +
             Band("ReportSummary", 80, 5000, R"(, "flags": 8)") + "," + Memo("Loin", 4000, "Loin"),
         2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(Build(c.objects, 0)) << errorText;
        EXPECT_EQ(AllTexts().back(), "Loin");
        EXPECT_EQ(pages.PageCount(), c.pageCount);
    }
}

}  // namespace
}  // namespace report
