#include "report/ui/designer_dictionary_editor.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "report/core/designer/design_document.h"
#include "report/core/designer/dictionary_variables.h"
#include "report/core/model/report.h"
#include "report/qt/qt_text.h"
#include "report/ui/designer_dialog_frame.h"

namespace report {
namespace {

QTreeWidgetItem* NewItem(const QString& name, const QString& expression) {
    auto* item = new QTreeWidgetItem(QStringList{name, expression});
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    return item;
}

}  // namespace

DesignerDictionaryEditor::DesignerDictionaryEditor(DesignDocument& document, QWidget* parent)
    : QDialog(parent), document_(document) {
    setWindowTitle(QStringLiteral("Dictionnaire de données"));
    auto* body = new QWidget(this);
    tree_ = new QTreeWidget(body);
    tree_->setHeaderLabels({QStringLiteral("Nom"), QStringLiteral("Expression")});
    tree_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::SelectedClicked);
    for (const DictionaryCategory& category :
         ReadDictionaryCategories(document.GetReport().dictionary)) {
        QTreeWidgetItem* top = NewItem(ToQString(category.name), QString());
        tree_->addTopLevelItem(top);
        for (const DictionaryVariable& variable : category.variables)
            top->addChild(NewItem(ToQString(variable.name), ToQString(variable.expression)));
    }
    tree_->expandAll();
    tree_->header()->resizeSection(0, 180);

    auto* addCategory = new QPushButton(QStringLiteral("Nouvelle &catégorie"), body);
    auto* addVariable = new QPushButton(QStringLiteral("Nouvelle &variable"), body);
    auto* remove = new QPushButton(QStringLiteral("&Supprimer"), body);
    connect(addCategory, &QPushButton::clicked, this, [this] { AddCategory(); });
    connect(addVariable, &QPushButton::clicked, this, [this] { AddVariable(); });
    connect(remove, &QPushButton::clicked, this, [this] { RemoveChosen(); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(addCategory);
    buttons->addWidget(addVariable);
    buttons->addWidget(remove);
    buttons->addStretch(1);

    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(tree_, 1);
    layout->addLayout(buttons);
    refusal_ = FrameEditorDialog(*this, body);
    resize(560, 420);
}

QTreeWidgetItem* DesignerDictionaryEditor::AddCategory() {
    QTreeWidgetItem* item = NewItem(QStringLiteral("Catégorie"), QString());
    tree_->addTopLevelItem(item);
    tree_->setCurrentItem(item);
    tree_->editItem(item, 0);
    return item;
}

QTreeWidgetItem* DesignerDictionaryEditor::AddVariable() {
    QTreeWidgetItem* chosen = tree_->currentItem();
    QTreeWidgetItem* category = chosen == nullptr             ? nullptr
                                : chosen->parent() != nullptr ? chosen->parent()
                                                              : chosen;
    // A variable always sits in a category: the last one, or a new one when there is none.
    if (category == nullptr) {
        const int count = tree_->topLevelItemCount();
        category = count > 0 ? tree_->topLevelItem(count - 1) : AddCategory();
    }
    QTreeWidgetItem* item = NewItem(QStringLiteral("Variable"), QString());
    category->addChild(item);
    category->setExpanded(true);
    tree_->setCurrentItem(item);
    tree_->editItem(item, 1);
    return item;
}

void DesignerDictionaryEditor::RemoveChosen() {
    // The tree owns its items: taking one out hands it back to be deleted.
    if (QTreeWidgetItem* chosen = tree_->currentItem()) delete chosen;
}

QString DesignerDictionaryEditor::Refusal() const {
    return RefusalText(*refusal_);
}

void DesignerDictionaryEditor::accept() {
    std::vector<DictionaryCategory> categories;
    for (int c = 0; c < tree_->topLevelItemCount(); ++c) {
        const QTreeWidgetItem* top = tree_->topLevelItem(c);
        DictionaryCategory category{FromQString(top->text(0)), {}};
        for (int v = 0; v < top->childCount(); ++v)
            category.variables.push_back(DictionaryVariable{FromQString(top->child(v)->text(0)),
                                                            FromQString(top->child(v)->text(1))});
        categories.push_back(std::move(category));
    }
    if (!ApplyOrShowRefusal(*refusal_,
                            [&] { changed_ = ApplyDictionaryCategories(document_, categories); }))
        return;
    QDialog::accept();
}

}  // namespace report
