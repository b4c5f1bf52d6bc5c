#include "report/core/designer/dictionary_variables.h"

#include "report/core/base/errors.h"
#include "report/core/model/report.h"
#include "tests/report/core/designer/designer_fixture.h"

namespace report {
namespace {

class DictionaryVariablesTest : public testing::DesignerTest {
  protected:
    DictionaryVariablesTest() : document(state) { document.New(); }
    std::string Saved() const { return document.Serialize(TemplateForm::Binary); }
    DesignDocument document;
};

TEST_F(DictionaryVariablesTest, CategoriesAndVariablesLandInTheDictionaryAsOneStep) {
    const std::string before = Saved();
    const std::vector<DictionaryCategory> categories = {
        {"Totaux", {{"Somme", "SUM([Num])"}, {" Nombre ", "COUNT(MasterData1)"}}},
        {"Match", {{"Equipe", "userDataset1.\"joueur1\""}, {"Vide", ""}}},
    };
    ASSERT_TRUE(ApplyDictionaryCategories(document, categories));
    const DataDictionary& dictionary = document.GetReport().dictionary;
    EXPECT_EQ(dictionary.Categories(), (std::vector<std::string>{"Totaux", "Match"}));
    EXPECT_EQ(dictionary.VariablesOf("Totaux"), (std::vector<std::string>{"Somme", "Nombre"}));
    EXPECT_EQ(dictionary.variables.Get("Equipe").ToText(), "userDataset1.\"joueur1\"");

    const std::vector<DictionaryCategory> read = ReadDictionaryCategories(dictionary);
    ASSERT_EQ(read.size(), 2U);
    EXPECT_EQ(read[0].variables[1].name, "Nombre");
    EXPECT_EQ(read[1].variables[1].expression, "");
    // Written back unchanged: no new step.
    EXPECT_FALSE(ApplyDictionaryCategories(document, read));

    ASSERT_TRUE(document.Undo());
    EXPECT_EQ(Saved(), before);
}

TEST_F(DictionaryVariablesTest, WhatTheBuildCouldNotReadIsRefusedAndNothingChanges) {
    ASSERT_TRUE(ApplyDictionaryCategories(document, {{"Totaux", {{"Somme", "1 + 2"}}}}));
    const std::string before = Saved();
    struct Case {
        const char* what;
        std::vector<DictionaryCategory> categories;
    };
    const std::vector<Case> cases = {
        {"second category without a name", {{"A", {}}, {"  ", {{"X", "1"}}}}},
        {"two categories of one name", {{"A", {}}, {"a", {}}}},
        {"variable without a name", {{"A", {{" ", "1"}}}}},
        {"one variable name twice", {{"A", {{"X", "1"}}}, {"B", {{"x", "2"}}}}},
        {"expression the parser refuses", {{"A", {{"X", "(1 + "}}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_THROW(ApplyDictionaryCategories(document, c.categories), EngineError);
        EXPECT_EQ(Saved(), before);
    }
}

TEST_F(DictionaryVariablesTest, AliasesWithoutANameOrNamedTwiceRefuseTheWholeStep) {
    const std::string before = Saved();
    const std::vector<DictionaryCategory> categories = {{"A", {{"X", "1"}}}};
    const std::vector<std::pair<const char*, std::vector<FieldAlias>>> cases = {
        {"no name", {{"  ", "Alias"}}},
        {"one name twice", {{"userDataset1.Num", "N"}, {"USERDATASET1.num", ""}}},
    };
    for (const auto& [what, aliases] : cases) {
        SCOPED_TRACE(what);
        EXPECT_THROW(ApplyDictionaryCategories(document, categories, aliases), EngineError);
        // The variables, though sound, did not go in either.
        EXPECT_EQ(Saved(), before);
    }
}

TEST_F(DictionaryVariablesTest, VariablesBeforeAnyCategoryStayWithoutAHeader) {
    ASSERT_TRUE(ApplyDictionaryCategories(document, {{"", {{"Libre", "1"}}}, {"A", {{"X", "2"}}}}));
    const DataDictionary& dictionary = document.GetReport().dictionary;
    EXPECT_EQ(dictionary.variables.NameAt(0), "Libre");
    EXPECT_EQ(dictionary.Categories(), (std::vector<std::string>{"A"}));
    const std::vector<DictionaryCategory> read = ReadDictionaryCategories(dictionary);
    ASSERT_EQ(read.size(), 2U);
    EXPECT_EQ(read[0].name, "");
    EXPECT_EQ(read[0].variables[0].name, "Libre");
}

}  // namespace
}  // namespace report
