#include "report/ui/designer_dictionary_editor.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTableWidget>
#include <QTreeWidget>

#include "report/core/designer/design_document.h"
#include "report/core/designer/dictionary_variables.h"
#include "report/core/model/model_state.h"
#include "report/core/model/report.h"

namespace report {
namespace {

QApplication& App() {
    static int argc = 1;
    static char name[] = "designer_dictionary_editor_test";
    static char* argv[] = {name, nullptr};
    // Never destroyed: font caches of other statics outlive it otherwise.
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

class DictionaryEditorTest : public ::testing::Test {
  protected:
    DictionaryEditorTest() : document(state) {
        App();
        state.printer.Start(nullptr);
        document.New();
        ApplyDictionaryCategories(document, {{"Totaux", {{"Somme", "1 + 2"}}}});
    }
    std::string Saved() const { return document.Serialize(TemplateForm::Binary); }

    ModelState state;
    DesignDocument document;
};

TEST_F(DictionaryEditorTest, AVariableAddedInItsCategoryIsSavedAndUndoGivesTheSameBytesBack) {
    const std::string before = Saved();
    DesignerDictionaryEditor editor(document);
    ASSERT_EQ(editor.Tree()->topLevelItemCount(), 1);
    EXPECT_EQ(editor.Tree()->topLevelItem(0)->text(0), QStringLiteral("Totaux"));
    EXPECT_EQ(editor.Tree()->topLevelItem(0)->child(0)->text(1), QStringLiteral("1 + 2"));
    editor.Tree()->setCurrentItem(editor.Tree()->topLevelItem(0));
    QTreeWidgetItem* added = editor.AddVariable();
    added->setText(0, QStringLiteral("Moyenne"));
    added->setText(1, QStringLiteral("AVG([Num])"));
    editor.accept();
    ASSERT_EQ(editor.result(), QDialog::Accepted) << editor.Refusal().toStdString();
    EXPECT_TRUE(editor.Changed());
    EXPECT_EQ(document.GetReport().dictionary.VariablesOf("Totaux"),
              (std::vector<std::string>{"Somme", "Moyenne"}));
    ASSERT_TRUE(document.Undo());
    EXPECT_EQ(Saved(), before);
}

TEST_F(DictionaryEditorTest, ARefusedExpressionKeepsTheDialogOpenAndTheDictionaryAsItWas) {
    const std::string before = Saved();
    DesignerDictionaryEditor editor(document);
    QTreeWidgetItem* category = editor.AddCategory();
    category->setText(0, QStringLiteral("Match"));
    // A category takes no expression: nothing typed there stays to be lost silently.
    category->setText(1, QStringLiteral("1"));
    EXPECT_EQ(category->text(1), QString());
    QTreeWidgetItem* added = editor.AddVariable();
    added->setText(0, QStringLiteral("Faux"));
    added->setText(1, QStringLiteral("(1 +"));
    editor.accept();
    EXPECT_NE(editor.result(), QDialog::Accepted);
    EXPECT_TRUE(editor.Refusal().contains(QStringLiteral("Faux")));
    EXPECT_EQ(Saved(), before);

    // Removing the faulty variable lets the new category through.
    editor.Tree()->setCurrentItem(added);
    editor.RemoveChosen();
    editor.accept();
    ASSERT_EQ(editor.result(), QDialog::Accepted) << editor.Refusal().toStdString();
    EXPECT_EQ(document.GetReport().dictionary.Categories(),
              (std::vector<std::string>{"Totaux", "Match"}));
}

TEST_F(DictionaryEditorTest, FieldAliasesAreSavedWithTheVariablesAndATwiceNamedFieldIsRefused) {
    DesignerDictionaryEditor editor(document);
    int row = editor.AddAlias();
    editor.Aliases()->item(row, 0)->setText(QStringLiteral("userDataset1.joueur1"));
    editor.Aliases()->item(row, 1)->setText(QStringLiteral("Premier joueur"));
    row = editor.AddAlias();
    editor.Aliases()->item(row, 0)->setText(QStringLiteral("USERDATASET1.JOUEUR1"));
    const std::string before = Saved();
    editor.accept();
    EXPECT_NE(editor.result(), QDialog::Accepted);
    EXPECT_FALSE(editor.Refusal().isEmpty());
    EXPECT_EQ(Saved(), before);

    editor.Aliases()->item(row, 0)->setText(QStringLiteral("userDataset1.Num"));
    editor.accept();
    ASSERT_EQ(editor.result(), QDialog::Accepted) << editor.Refusal().toStdString();
    const DataDictionary& dictionary = document.GetReport().dictionary;
    EXPECT_EQ(dictionary.AliasOf("userDataset1.joueur1"), "Premier joueur");
    EXPECT_TRUE(dictionary.fieldAliases.Contains("userDataset1.Num"));
    EXPECT_EQ(dictionary.fieldAliases.Get("userDataset1.Num").ToText(), "");
    // The variables came through untouched.
    EXPECT_EQ(dictionary.VariablesOf("Totaux"), (std::vector<std::string>{"Somme"}));
    const std::string saved = Saved();
    EXPECT_NE(saved.find("Premier joueur"), std::string::npos);
}

}  // namespace
}  // namespace report
