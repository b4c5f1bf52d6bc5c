// The editors' checks: expressions in memos and group conditions, band settings by name, the
// display format samples and the expression builder's lists.
#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

#include "designer_fixture.h"
#include "report/core/base/errors.h"
#include "report/core/base/text.h"
#include "report/core/data/component.h"
#include "report/core/data/component_registry.h"
#include "report/core/data/data_access.h"
#include "report/core/designer/band_settings.h"
#include "report/core/designer/design_commands.h"
#include "report/core/designer/display_format_edit.h"
#include "report/core/designer/expression_catalog.h"
#include "report/core/designer/expression_check.h"
#include "report/core/designer/format_samples.h"
#include "report/core/model/band_view.h"
#include "report/core/model/page.h"
#include "report/core/value/display_format.h"
#include "report/core/value/format_settings.h"

namespace report {
namespace {

using testing::DesignerTest;

TEST(MemoExpressionCheck, FindsTheFirstRefusedExpressionWithItsPlace) {
    struct Case {
        std::vector<std::string> memo;
        bool refused;
        size_t position, line, column;
        std::string engineMessage;
    };
    const std::vector<Case> cases = {
        {{"Total : [Prix * 2]"}, false, 0, 0, 0, ""},
        {{"Montant [Prix #N2.2] le [DATE]"}, false, 0, 0, 0, ""},
        {{"[IF(Prix > 2, 'a', 'b')]"}, false, 0, 0, 0, ""},
        {{"Sans expression", ""}, false, 0, 0, 0, ""},
        {{"Nom", "Total [(Prix + 2]"}, true, 11, 2, 8, "Parenthèse manquante dans l'expression"},
        {{"ok [1]", "x ['abc]"}, true, 10, 2, 4, "Crochet fermant manquant dans l'expression"},
        {{"[Prix * ]"}, true, 1, 1, 2, "Opérande manquant dans l'expression"},
        {{"Reste [Prix"}, true, 7, 1, 8, "Crochet fermant manquant dans l'expression"},
        // Arguments of a call are read too.
        {{"[SUM([Prix] + )]"}, true, 1, 1, 2, "Opérande manquant dans l'expression"},
        {{"[1] [2] [3 +]"}, true, 9, 1, 10, "Opérande manquant dans l'expression"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.memo.back());
        const auto problem = CheckMemoExpressions(c.memo);
        ASSERT_EQ(problem.has_value(), c.refused);
        if (!problem) continue;
        EXPECT_EQ(problem->position, c.position);
        EXPECT_EQ(problem->line, c.line);
        EXPECT_EQ(problem->column, c.column);
        EXPECT_EQ(Cp1252ToUtf8(problem->engineMessage), c.engineMessage);
        EXPECT_NE(Cp1252ToUtf8(problem->Message()).find("ligne " + std::to_string(c.line)),
                  std::string::npos);
    }
}

TEST(ScriptCheck, GivesTheCompilerLines) {
    EXPECT_TRUE(ScriptErrors({"begin", "  a := 1;", "end"}).empty());
    const auto errors = ScriptErrors({"begin", "  a := 1", "  b := 2", "end"});
    ASSERT_FALSE(errors.empty());
    EXPECT_EQ(errors.front().rfind("Line 3/", 0), 0u) << errors.front();
}

class BandSettingsTest : public DesignerTest {
  protected:
    BandSettingsTest() : document(state) {
        masterIndex =
            InsertObject(document, ObjectKind::Band, {0, 100, 0, 130}, BandType::MasterData);
        groupIndex =
            InsertObject(document, ObjectKind::Band, {0, 40, 0, 60}, BandType::GroupHeader);
        document.Commit();
    }
    BandView& Band(size_t index) {
        return dynamic_cast<BandView&>(document.CurrentPage().ObjectAt(index));
    }
    DesignDocument document;
    size_t masterIndex = 0;
    size_t groupIndex = 0;
};

TEST_F(BandSettingsTest, AFlagSetByNameLandsInItsBit) {
    const std::vector<std::pair<std::string, uint16_t>> cases = {
        {"FormNewPage", view_flag::kFormNewPage},
        {"PrintIfSubsetEmpty", view_flag::kPrintIfSubsetEmpty},
        {"breaked", view_flag::kBreaked},
        {"OnFirstPage", view_flag::kOnFirstPage},
        {"OnLastPage", view_flag::kOnLastPage},
        {"RepeatHeader", view_flag::kRepeatHeader},
        {"PrintChildIfInvisible", view_flag::kPrintChildIfInvisible},
    };
    for (const auto& [name, bit] : cases) {
        SCOPED_TRACE(name);
        BandView& band = Band(masterIndex);
        BandSettings settings = ReadBandSettings(band);
        const uint16_t before = band.flags;
        const bool wasOn = settings.Flag(name);
        EXPECT_EQ(wasOn, (before & bit) != 0);
        settings.SetFlag(name, !wasOn);
        ASSERT_TRUE(ApplyBandSettings(document, band, settings));
        EXPECT_EQ(Band(masterIndex).flags, before ^ bit);
        ASSERT_TRUE(document.Undo());
        EXPECT_EQ(Band(masterIndex).flags, before);
    }
    BandSettings settings = ReadBandSettings(Band(masterIndex));
    EXPECT_THROW(settings.SetFlag("Stretched", true), EngineError);
}

TEST_F(BandSettingsTest, AllFieldsAreOneUndoStep) {
    BandSettings settings = ReadBandSettings(Band(masterIndex));
    settings.dataSource = " 5 ";
    settings.childBand = Band(groupIndex).name;
    settings.columns = 3;
    settings.columnWidth = 150;
    settings.columnGap = 10;
    settings.script = {"begin", "  Visible := 1;", "end"};
    ASSERT_TRUE(ApplyBandSettings(document, Band(masterIndex), settings));
    const BandView& band = Band(masterIndex);
    EXPECT_EQ(band.formatPattern, "5");
    EXPECT_EQ(band.childBand, Band(groupIndex).name);
    EXPECT_EQ(band.columns, 3);
    EXPECT_EQ(band.columnWidth, 150);
    EXPECT_EQ(band.columnGap, 10);
    EXPECT_EQ(band.memo, settings.script);
    ASSERT_TRUE(document.Undo());
    EXPECT_EQ(Band(masterIndex).formatPattern, "");
    EXPECT_EQ(Band(masterIndex).columns, 1);
    EXPECT_FALSE(document.CanUndo() && Band(masterIndex).childBand != "");
}

TEST_F(BandSettingsTest, RefusedSettingsLeaveTheBandAndHistoryAlone) {
    struct Case {
        const char* what;
        bool onGroup;
        void (*change)(BandSettings&, const std::string& otherBand, const std::string& self);
        std::string message;
    };
    const std::vector<Case> cases = {
        {"condition refused", true,
         [](BandSettings& s, const std::string&, const std::string&) { s.dataSource = "(a"; },
         "Condition de groupe incorrecte : Parenthèse manquante dans l'expression"},
        {"condition empty", true,
         [](BandSettings& s, const std::string&, const std::string&) { s.dataSource = "  "; },
         "La condition du groupe est vide"},
        {"unknown child", false,
         [](BandSettings& s, const std::string&, const std::string&) { s.childBand = "Rien"; },
         "« Rien » n'est pas une bande de l'état"},
        {"child of itself", false,
         [](BandSettings& s, const std::string&, const std::string& self) { s.childBand = self; },
         "Une bande ne peut pas être sa propre bande enfant"},
        {"master not a data band", true,
         [](BandSettings& s, const std::string&, const std::string& self) { s.master = self; },
         "« " + std::string("GROUP") + " » n'est pas une bande de données de l'état"},
        {"no columns", false,
         [](BandSettings& s, const std::string&, const std::string&) { s.columns = 0; },
         "Le nombre de colonnes doit être compris entre 1 et 32"},
        {"negative gap", false,
         [](BandSettings& s, const std::string&, const std::string&) { s.columnGap = -1; },
         "La largeur et l'espacement des colonnes ne peuvent pas être négatifs"},
        {"script", false,
         [](BandSettings& s, const std::string&, const std::string&) {
             s.script = {"begin", "  a := 1", "  b := 2", "end"};
         },
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const size_t index = c.onGroup ? groupIndex : masterIndex;
        const size_t other = c.onGroup ? masterIndex : groupIndex;
        if (c.onGroup) {
            BandSettings good = ReadBandSettings(Band(index));
            good.dataSource = "[Equipe]";
            good.master = Band(other).name;
            ASSERT_NO_THROW(ApplyBandSettings(document, Band(index), good));
        }
        const std::string before = document.Serialize(TemplateForm::Json);
        BandSettings settings = ReadBandSettings(Band(index));
        c.change(settings, Band(other).name, Band(index).name);
        try {
            ApplyBandSettings(document, Band(index), settings);
            ADD_FAILURE() << "accepted";
        } catch (const EngineError& error) {
            std::string expected = c.message;
            const std::string groupName = Band(groupIndex).name;
            if (const size_t at = expected.find("GROUP"); at != std::string::npos)
                expected.replace(at, 5, groupName);
            if (!expected.empty()) {
                EXPECT_EQ(Cp1252ToUtf8(error.what()), expected);
            }
        }
        EXPECT_EQ(document.Serialize(TemplateForm::Json), before);
    }
}

TEST_F(BandSettingsTest, OffersTheDataBandsAsMastersAndTheOtherBandsAsChildren) {
    const size_t titleIndex =
        InsertObject(document, ObjectKind::Band, {0, 0, 0, 30}, BandType::ReportTitle);
    document.Commit();
    const std::string master = Band(masterIndex).name;
    const std::string group = Band(groupIndex).name;
    const std::string title = Band(titleIndex).name;

    const BandChoices forGroup = BandSettingChoices(document.GetReport(), Band(groupIndex));
    EXPECT_EQ(forGroup.masters, std::vector<std::string>{master});
    EXPECT_EQ(forGroup.children, (std::vector<std::string>{master, title}));
    // A band is never offered as its own master or child.
    const BandChoices forMaster = BandSettingChoices(document.GetReport(), Band(masterIndex));
    EXPECT_TRUE(forMaster.masters.empty());
    EXPECT_EQ(forMaster.children, (std::vector<std::string>{group, title}));
}

TEST_F(DesignerTest, ADisplayFormatGoesToTheSelectedTextObjectsAsOneStep) {
    DesignDocument document(state);
    const size_t band =
        InsertObject(document, ObjectKind::Band, {0, 100, 0, 130}, BandType::MasterData);
    const size_t first = InsertObject(document, ObjectKind::Text, {10, 10, 80, 30});
    const size_t second = InsertObject(document, ObjectKind::Text, {10, 40, 80, 60});
    const size_t unselected = InsertObject(document, ObjectKind::Text, {10, 200, 80, 220});
    Page& page = document.CurrentPage();
    page.ObjectAt(band).formatPattern = "5";
    document.Commit();
    const std::string before = document.Serialize(TemplateForm::Json);
    const int32_t untouched = page.ObjectAt(unselected).formatCode;

    document.Select({band});
    EXPECT_FALSE(SelectedDisplayFormat(document).has_value());
    document.Select({band, first, second});
    const DisplayFormat date{MakeFormatCode(format_category::kDate, kPatternVariant, 0, ','),
                             "yyyy-mm-dd"};
    ASSERT_TRUE(ApplyDisplayFormat(document, date));
    for (size_t index : {first, second}) {
        SCOPED_TRACE(index);
        EXPECT_EQ(page.ObjectAt(index).formatCode, date.code);
        EXPECT_EQ(page.ObjectAt(index).formatPattern, date.pattern);
    }
    // The band's pattern is its data source, the unselected object keeps its format.
    EXPECT_EQ(page.ObjectAt(band).formatPattern, "5");
    EXPECT_EQ(page.ObjectAt(unselected).formatCode, untouched);
    const std::optional<DisplayFormat> read = SelectedDisplayFormat(document);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->code, date.code);
    EXPECT_FALSE(ApplyDisplayFormat(document, date));

    ASSERT_TRUE(document.Undo());
    EXPECT_EQ(document.Serialize(TemplateForm::Json), before);
}

TEST(FormatSamples, EachKindShowsTheFixedValueInFrenchSettings) {
    const ScopedFormats french(FormatSettings::French());
    struct Case {
        int category, variant, decimals;
        char separator;
        std::string pattern, sample;
    };
    const std::vector<Case> cases = {
        {format_category::kText, 0, 2, ',', "", "Tombage"},
        {format_category::kNumber, 0, 2, ',', "", "1234,5"},
        {format_category::kNumber, 1, 2, ',', "", "1234,50"},
        {format_category::kNumber, 1, 0, '.', "", "1235"},
        {format_category::kNumber, 2, 2, ',', "",
         "1\xC2\xA0"
         "234,5"},
        {format_category::kNumber, 3, 2, '.', "",
         "1\xC2\xA0"
         "234.50"},
        {format_category::kNumber, 4, 2, ',', "0000.000", "1234,500"},
        {format_category::kDate, 0, 0, ',', "", "12.11.26"},
        {format_category::kDate, 1, 0, ',', "", "12.11.2026"},
        {format_category::kDate, 2, 0, ',', "", "11 déc. 2026"},
        {format_category::kDate, 3, 0, ',', "", "vendredi 11 décembre 2026"},
        {format_category::kDate, 4, 0, ',', "yyyy-mm-dd", "2026-12-11"},
        {format_category::kTime, 0, 0, ',', "", "14:30:05"},
        {format_category::kTime, 1, 0, ',', "", "14:30:05"},
        {format_category::kTime, 2, 0, ',', "", "14:30"},
        {format_category::kTime, 3, 0, ',', "", "14:30"},
        {format_category::kTime, 4, 0, ',', "hh'h'nn", "14h30"},
        {format_category::kBoolean, 0, 0, ',', "", "0 / 1"},
        {format_category::kBoolean, 1, 0, ',', "", "Oui / Non"},
        {format_category::kBoolean, 2, 0, ',', "", "_ / x"},
        {format_category::kBoolean, 3, 0, ',', "", "False / True"},
        {format_category::kBoolean, 4, 0, ',', "Non;Oui", "Non / Oui"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.category) + "/" + std::to_string(c.variant));
        const int32_t code = MakeFormatCode(c.category, c.variant, c.decimals, c.separator);
        EXPECT_EQ(Cp1252ToUtf8(FormatSample(code, c.pattern)), c.sample);
    }
    // Every kind is offered once: text, then five variants of each other category.
    EXPECT_EQ(FormatKindCodes(2, ',').size(), 21u);
    EXPECT_EQ(Cp1252ToUtf8(FormatCategoryName(format_category::kBoolean)), "Booléen");
}

// A data set with fixed field names.
class FieldList : public DataAccess {
  public:
    FieldList(std::string name, std::vector<std::string> fields)
        : DataAccess(std::move(name)), fields_(std::move(fields)) {}
    bool IsActive() const override { return false; }
    void Open() override {}
    void Close() override {}
    void First() override {}
    void Next() override {}
    void Prior() override {}
    bool Eof() const override { return true; }
    Bookmark GetBookmark() const override { return 0; }
    void GotoBookmark(Bookmark) override {}
    std::vector<std::string> FieldNames() const override { return fields_; }
    FieldKind KindOf(std::string_view) const override { return FieldKind::String; }
    std::string DisplayText(std::string_view) const override { return {}; }
    Variant RawValue(std::string_view) const override { return Variant::Null(); }

  private:
    std::vector<std::string> fields_;
};

TEST_F(DesignerTest, TheBuilderListsFieldsVariablesAndFunctions) {
    DesignDocument document(state);
    Report& report = document.GetReport();
    ComponentOwner form("Tirage");
    FieldList teams("Equipes", {"Nom", "Club"});
    FieldList secret("Cache", {"Code"});
    form.Add(teams);
    form.Add(secret);
    state.components.RegisterForm(form);
    report.dictionary.hiddenSources = {"Cache"};
    report.dictionary.variables.Set(" Totaux", Variant::String(""));
    report.dictionary.variables.Set("Points", Variant::String("[Equipes.\"Nom\"]"));
    InstalledFunctions installed;
    installed.Add(nullptr, "UPPERCASE", "Texte", "UPPERCASE(<Texte>)/Met en majuscules");
    installed.Add(nullptr, "ABS", "Math", "ABS(<X>)/Valeur absolue");

    const ExpressionCatalog catalog = BuildExpressionCatalog(report, state.components, installed);
    EXPECT_EQ(catalog.dataFields,
              (std::vector<std::string>{"Equipes.\"Club\"", "Equipes.\"Nom\""}));
    EXPECT_EQ(catalog.dictionaryVariables, std::vector<std::string>{"Points"});
    EXPECT_NE(
        std::find(catalog.standardVariables.begin(), catalog.standardVariables.end(), "TOTALPAGES"),
        catalog.standardVariables.end());
    ASSERT_EQ(catalog.functions.size(), 2u);
    EXPECT_EQ(catalog.functions[0].name, "ABS");
    EXPECT_EQ(catalog.functions[0].description, "ABS(<X>)/Valeur absolue");
    state.components.UnregisterForm(form);
}

}  // namespace
}  // namespace report
