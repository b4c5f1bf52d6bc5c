#include "report/ui/designer_inspector.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>
#include <exception>

#include "report/core/base/text.h"
#include "report/core/designer/design_document.h"
#include "report/core/model/page.h"
#include "report/core/model/property_object.h"
#include "report/qt/qt_text.h"

namespace report {

DesignerInspector::DesignerInspector(DesignDocument& document, QWidget* parent)
    : QWidget(parent), document_(document) {
    table_ = new QTableWidget(0, 2, this);
    table_->setHorizontalHeaderLabels({QStringLiteral("Propriété"), QStringLiteral("Valeur")});
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setAccessibleName(QStringLiteral("Inspecteur d'objets"));
    message_ = new QLabel(this);
    message_->setWordWrap(true);
    message_->setStyleSheet(QStringLiteral("color: #B00000"));
    message_->setAccessibleName(QStringLiteral("Message de l'inspecteur"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(table_);
    layout->addWidget(message_);
    connect(table_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (filling_ || item->column() != 1) return;
        Store(item->row(), item->text());
    });
    Refresh();
}

QString DesignerInspector::Message() const {
    return message_->text();
}

void DesignerInspector::SetUnit(const UnitScale& scale) {
    scale_ = scale;
    Refresh();
}

std::vector<PropertyObject*> DesignerInspector::Objects() const {
    std::vector<PropertyObject*> objects;
    for (View* view : document_.SelectedViews())
        objects.push_back(view);
    if (objects.empty()) objects.push_back(&document_.CurrentPage());
    return objects;
}

void DesignerInspector::Refresh() {
    filling_ = true;
    rows_ = SharedProperties(Objects(), scale_);
    table_->clearContents();
    table_->setRowCount(static_cast<int>(rows_.size()));
    for (size_t i = 0; i < rows_.size(); ++i) {
        const PropertyRow& row = rows_[i];
        const int r = static_cast<int>(i);
        const QString name = ToQString(row.name);
        auto* nameItem = new QTableWidgetItem(name);
        nameItem->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        table_->setItem(r, 0, nameItem);
        const QString value = ToQString(row.value);
        auto* valueItem = new QTableWidgetItem(value);
        valueItem->setData(Qt::AccessibleTextRole, name + QStringLiteral(" : ") + value);
        Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        if (!row.readOnly && row.choices.empty()) flags |= Qt::ItemIsEditable;
        valueItem->setFlags(flags);
        table_->setItem(r, 1, valueItem);
        if (!row.choices.empty() && !row.readOnly) {
            auto* choices = new QComboBox(table_);
            choices->setAccessibleName(name);
            for (const std::string& choice : row.choices)
                choices->addItem(ToQString(choice));
            choices->setCurrentIndex(row.mixed ? -1 : choices->findText(value));
            connect(choices, &QComboBox::activated, this,
                    [this, r, choices](int) { Store(r, choices->currentText()); });
            table_->setCellWidget(r, 1, choices);
        }
    }
    filling_ = false;
}

void DesignerInspector::Store(int row, const QString& text) {
    if (row < 0 || row >= static_cast<int>(rows_.size())) return;
    const std::string name = rows_[static_cast<size_t>(row)].name;
    try {
        const bool stored = SetSharedProperty(Objects(), name, FromQString(text), scale_);
        message_->clear();
        if (stored && document_.Commit()) emit changed();
    } catch (const std::exception& error) {
        // Nothing was stored: the row shows the value the objects hold.
        message_->setText(ToQString(error.what()));
    }
    // Deferred: the table may be inside the very signal of the item it would delete.
    QMetaObject::invokeMethod(
        this, [this] { Refresh(); }, Qt::QueuedConnection);
}

}  // namespace report
