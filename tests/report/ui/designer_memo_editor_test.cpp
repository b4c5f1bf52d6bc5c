#include "report/ui/designer_memo_editor.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTreeWidget>

#include "report/core/base/text.h"
#include "report/qt/qt_text.h"

namespace report {
namespace {

QApplication& App() {
    static int argc = 1;
    static char name[] = "designer_memo_editor_test";
    static char* argv[] = {name, nullptr};
    // Never destroyed: font caches of other statics outlive it otherwise.
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

ExpressionCatalog SmallCatalog() {
    ExpressionCatalog catalog;
    catalog.dataFields = {"Equipes.\"Nom\""};
    catalog.standardVariables = {"PAGE#"};
    catalog.functions.push_back(
        {nullptr, "UPPERCASE", "Texte", "UPPERCASE(<Texte>)/Met le texte en majuscules"});
    return catalog;
}

QTreeWidgetItem* FindItem(QTreeWidget* tree, const QString& text) {
    const auto found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.front();
}

TEST(DesignerMemoEditor, RefusesAWrongExpressionWithItsPlaceThenAcceptsTheFix) {
    App();
    DesignerMemoEditor editor(QStringLiteral("Memo1"), {"Equipe :", "Total [(Prix + 2]"}, {},
                              SmallCatalog());
    editor.show();
    editor.accept();
    EXPECT_EQ(editor.result(), QDialog::Rejected);
    EXPECT_TRUE(editor.isVisible());
    EXPECT_EQ(editor.Refusal(), QStringLiteral("Erreur dans l'expression (ligne 2, colonne 8) : "
                                               "Parenthèse manquante dans l'expression"));
    // The cursor waits where the faulty expression starts.
    EXPECT_EQ(editor.TextEdit()->textCursor().position(), 16);

    editor.TextEdit()->setPlainText(QStringLiteral("Equipe :\nTotal [(Prix + 2)]"));
    editor.accept();
    EXPECT_EQ(editor.result(), QDialog::Accepted);
    EXPECT_EQ(editor.MemoLines(), (std::vector<std::string>{"Equipe :", "Total [(Prix + 2)]"}));
}

TEST(DesignerMemoEditor, AScriptThatDoesNotCompileKeepsTheDialogOpen) {
    App();
    DesignerMemoEditor editor(QStringLiteral("Memo1"), {"[PAGE#]"},
                              {"begin", "  a := 1", "  b := 2", "end"}, SmallCatalog());
    editor.show();
    editor.accept();
    EXPECT_NE(editor.result(), QDialog::Accepted);
    EXPECT_TRUE(editor.Refusal().startsWith(QStringLiteral("Line ")))
        << editor.Refusal().toStdString();
    editor.ScriptEdit()->setPlainText(QStringLiteral("begin\n  a := 1;\nend"));
    editor.accept();
    EXPECT_EQ(editor.result(), QDialog::Accepted);
    EXPECT_EQ(editor.ScriptLines(), (std::vector<std::string>{"begin", "  a := 1;", "end"}));
}

TEST(DesignerMemoEditor, InsertsTheChosenNameOrSignatureInBrackets) {
    App();
    DesignerMemoEditor editor(QStringLiteral("Memo1"), {}, {}, SmallCatalog());
    const struct {
        QString item;
        QString inserted;
    } cases[] = {
        {QStringLiteral("Equipes.\"Nom\""), QStringLiteral("[Equipes.\"Nom\"]")},
        {QStringLiteral("PAGE#"), QStringLiteral("[PAGE#]")},
        {QStringLiteral("UPPERCASE"), QStringLiteral("[UPPERCASE(<Texte>)]")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.item.toStdString());
        editor.TextEdit()->clear();
        QTreeWidgetItem* item = FindItem(editor.ExpressionList(), c.item);
        ASSERT_NE(item, nullptr);
        editor.ExpressionList()->setCurrentItem(item);
        editor.InsertChosenExpression();
        EXPECT_EQ(editor.TextEdit()->toPlainText(), c.inserted);
    }
}

}  // namespace
}  // namespace report
