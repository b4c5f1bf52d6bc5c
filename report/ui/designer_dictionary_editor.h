// The data dictionary editor: the report's variables by category, each with its expression,
// edited in place in a tree (categories at the top, their variables under them), and in a
// second tab the field aliases. "OK" applies both as one undo step; a refusal shows the
// engine's message and the dialog stays open.
#pragma once

#include <QDialog>

class QLabel;
class QTableWidget;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace report {

class DesignDocument;

class DesignerDictionaryEditor : public QDialog {
    Q_OBJECT
  public:
    // `document` must outlive the dialog.
    explicit DesignerDictionaryEditor(DesignDocument& document, QWidget* parent = nullptr);

    // Column 0 the name, column 1 a variable's expression.
    QTreeWidget* Tree() const { return tree_; }
    // Adds a category at the end, or a variable at the end of the chosen category (that of
    // the chosen variable); both start being edited. Returns the new item.
    QTreeWidgetItem* AddCategory();
    QTreeWidgetItem* AddVariable();
    // Removes the chosen item (a category with its variables).
    void RemoveChosen();
    // Column 0 a source or "source.field", column 1 its alias (empty: not offered).
    QTableWidget* Aliases() const { return aliases_; }
    // Adds an empty alias row and returns its index.
    int AddAlias();
    QTabWidget* Tabs() const { return tabs_; }
    QString Refusal() const;
    bool Changed() const { return changed_; }

    void accept() override;

  private:
    DesignDocument& document_;
    bool changed_ = false;
    QTabWidget* tabs_ = nullptr;
    QTreeWidget* tree_ = nullptr;
    QTableWidget* aliases_ = nullptr;
    QLabel* refusal_ = nullptr;
};

}  // namespace report
