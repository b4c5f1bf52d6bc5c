// The text object's editor: the memo with its bracketed expressions highlighted, the
// "Insérer une expression" lists, and the object's script in a second tab. "OK" is refused,
// with the place and the engine's message shown under the text, while an expression does not
// read or the script does not compile.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "report/core/designer/expression_catalog.h"

class QLabel;
class QPlainTextEdit;
class QTabWidget;
class QTreeWidget;

namespace report {

class DesignerMemoEditor : public QDialog {
    Q_OBJECT
  public:
    // Lines are Windows-1252.
    DesignerMemoEditor(const QString& objectName, const std::vector<std::string>& memo,
                       const std::vector<std::string>& script, ExpressionCatalog catalog,
                       QWidget* parent = nullptr);

    std::vector<std::string> MemoLines() const;
    std::vector<std::string> ScriptLines() const;

    QPlainTextEdit* TextEdit() const { return text_; }
    QPlainTextEdit* ScriptEdit() const { return script_; }
    QTreeWidget* ExpressionList() const { return expressions_; }
    // The refusal shown under the text; empty when none.
    QString Refusal() const;
    // Puts the expression chosen in the lists at the text's cursor, in brackets.
    void InsertChosenExpression();

    void accept() override;

  private:
    QTabWidget* tabs_ = nullptr;
    QPlainTextEdit* text_ = nullptr;
    QPlainTextEdit* script_ = nullptr;
    QTreeWidget* expressions_ = nullptr;
    QLabel* description_ = nullptr;
    QLabel* refusal_ = nullptr;
};

}  // namespace report
