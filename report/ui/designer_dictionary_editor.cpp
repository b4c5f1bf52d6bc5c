#include "report/ui/designer_dictionary_editor.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
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
    tabs_ = new QTabWidget(this);
    auto* body = new QWidget(tabs_);
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
    // A category has no expression: what is typed there would be lost, so it is not kept.
    connect(tree_, &QTreeWidget::itemChanged, this, [](QTreeWidgetItem* item, int column) {
        if (column == 1 && item->parent() == nullptr && !item->text(1).isEmpty())
            item->setText(1, QString());
    });
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
    tabs_->addTab(body, QStringLiteral("&Variables"));

    auto* aliasPage = new QWidget(tabs_);
    aliases_ = new QTableWidget(0, 2, aliasPage);
    aliases_->setHorizontalHeaderLabels(
        {QStringLiteral("Source ou champ"), QStringLiteral("Alias (vide : caché)")});
    aliases_->horizontalHeader()->setStretchLastSection(true);
    aliases_->horizontalHeader()->resizeSection(0, 220);
    for (const FieldAlias& entry : ReadFieldAliases(document.GetReport().dictionary)) {
        const int row = AddAlias();
        aliases_->item(row, 0)->setText(ToQString(entry.name));
        aliases_->item(row, 1)->setText(ToQString(entry.alias));
    }
    auto* addAlias = new QPushButton(QStringLiteral("Nouvel &alias"), aliasPage);
    auto* removeAlias = new QPushButton(QStringLiteral("Su&pprimer"), aliasPage);
    connect(addAlias, &QPushButton::clicked, this, [this] {
        const int row = AddAlias();
        aliases_->setCurrentCell(row, 0);
        aliases_->editItem(aliases_->item(row, 0));
    });
    connect(removeAlias, &QPushButton::clicked, this, [this] {
        if (aliases_->currentRow() >= 0) aliases_->removeRow(aliases_->currentRow());
    });
    auto* aliasButtons = new QHBoxLayout;
    aliasButtons->addWidget(addAlias);
    aliasButtons->addWidget(removeAlias);
    aliasButtons->addStretch(1);
    auto* aliasLayout = new QVBoxLayout(aliasPage);
    aliasLayout->addWidget(aliases_, 1);
    aliasLayout->addLayout(aliasButtons);
    tabs_->addTab(aliasPage, QStringLiteral("Alias des &champs"));

    refusal_ = FrameEditorDialog(*this, tabs_);
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

int DesignerDictionaryEditor::AddAlias() {
    const int row = aliases_->rowCount();
    aliases_->insertRow(row);
    aliases_->setItem(row, 0, new QTableWidgetItem);
    aliases_->setItem(row, 1, new QTableWidgetItem);
    return row;
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
    std::vector<FieldAlias> aliases;
    for (int row = 0; row < aliases_->rowCount(); ++row) {
        const QTableWidgetItem* name = aliases_->item(row, 0);
        const QTableWidgetItem* alias = aliases_->item(row, 1);
        aliases.push_back(FieldAlias{FromQString(name != nullptr ? name->text() : QString()),
                                     FromQString(alias != nullptr ? alias->text() : QString())});
    }
    if (!ApplyOrShowRefusal(*refusal_, [&] {
            changed_ = ApplyDictionaryCategories(document_, categories, aliases);
        }))
        return;
    QDialog::accept();
}

}  // namespace report
