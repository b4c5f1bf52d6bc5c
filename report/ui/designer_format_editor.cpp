#include "report/ui/designer_format_editor.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "report/core/designer/format_samples.h"
#include "report/qt/qt_text.h"
#include "report/ui/designer_dialog_frame.h"

namespace report {
namespace {

constexpr int kCodeRole = Qt::UserRole;
constexpr int kMaxDecimals = 15;
constexpr int kLastCategory = format_category::kBoolean;
// The decimal separators a number format may name.
constexpr char kSeparators[] = {',', '.', '-'};

}  // namespace

DesignerFormatEditor::DesignerFormatEditor(const DisplayFormat& format, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Format d'affichage"));
    auto* body = new QWidget(this);

    categories_ = new QListWidget(body);
    for (int category = format_category::kText; category <= kLastCategory; ++category)
        categories_->addItem(ToQString(FormatCategoryName(category)));
    kinds_ = new QListWidget(body);

    decimals_ = new QSpinBox(body);
    decimals_->setRange(0, kMaxDecimals);
    decimals_->setValue(FormatDecimals(format.code));
    separator_ = new QComboBox(body);
    for (char separator : kSeparators)
        separator_->addItem(QString(QLatin1Char(separator)));
    const int separator = separator_->findText(QString(QLatin1Char(FormatSeparator(format.code))));
    separator_->setCurrentIndex(separator < 0 ? 0 : separator);
    pattern_ = new QLineEdit(ToQString(format.pattern), body);
    sample_ = new QLabel(body);
    sample_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont big = sample_->font();
    big.setPointSizeF(big.pointSizeF() * 1.3);
    sample_->setFont(big);

    auto* categoryBox = new QVBoxLayout;
    categoryBox->addWidget(new QLabel(QStringLiteral("&Catégorie :"), body));
    categoryBox->addWidget(categories_);
    qobject_cast<QLabel*>(categoryBox->itemAt(0)->widget())->setBuddy(categories_);
    auto* kindBox = new QVBoxLayout;
    kindBox->addWidget(new QLabel(QStringLiteral("&Format :"), body));
    kindBox->addWidget(kinds_);
    qobject_cast<QLabel*>(kindBox->itemAt(0)->widget())->setBuddy(kinds_);
    auto* lists = new QHBoxLayout;
    lists->addLayout(categoryBox, 1);
    lists->addLayout(kindBox, 2);
    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("&Décimales :"), decimals_);
    fields->addRow(QStringLiteral("&Séparateur décimal :"), separator_);
    fields->addRow(QStringLiteral("&Modèle :"), pattern_);
    fields->addRow(QStringLiteral("Exemple :"), sample_);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(lists, 1);
    layout->addLayout(fields);
    FrameEditorDialog(*this, body);

    {
        const QSignalBlocker block(categories_);
        categories_->setCurrentRow(std::min(FormatCategory(format.code), kLastCategory));
    }
    FillKinds(FormatVariant(format.code));
    connect(categories_, &QListWidget::currentRowChanged, this, [this] { FillKinds(0); });
    connect(kinds_, &QListWidget::currentRowChanged, this, [this] { Refresh(); });
    connect(decimals_, &QSpinBox::valueChanged, this, [this] { FillKinds(kinds_->currentRow()); });
    connect(separator_, &QComboBox::currentIndexChanged, this,
            [this] { FillKinds(kinds_->currentRow()); });
    connect(pattern_, &QLineEdit::textEdited, this, [this] {
        // Typing a pattern means the kind that follows it.
        if (kinds_->count() > kPatternVariant) kinds_->setCurrentRow(kPatternVariant);
        FillKinds(kinds_->currentRow());
    });
    resize(560, 380);
}

void DesignerFormatEditor::FillKinds(int variant) {
    const int category = std::max(categories_->currentRow(), 0);
    const std::string pattern = FromQString(pattern_->text());
    const QSignalBlocker block(kinds_);
    kinds_->clear();
    const char separator = kSeparators[std::max(separator_->currentIndex(), 0)];
    for (int32_t code : FormatKindCodes(decimals_->value(), separator)) {
        if (FormatCategory(code) != category) continue;
        QString text = ToQString(FormatSample(code, pattern));
        if (FormatVariant(code) == kPatternVariant) text = QStringLiteral("Modèle : %1").arg(text);
        auto* item = new QListWidgetItem(text, kinds_);
        item->setData(kCodeRole, code);
    }
    kinds_->setCurrentRow(std::clamp(variant, 0, kinds_->count() - 1));
    Refresh();
}

void DesignerFormatEditor::Refresh() {
    const int category = categories_->currentRow();
    decimals_->setEnabled(category == format_category::kNumber);
    separator_->setEnabled(category == format_category::kNumber);
    pattern_->setEnabled(category != format_category::kText);
    sample_->setText(Sample());
}

DisplayFormat DesignerFormatEditor::Format() const {
    const QListWidgetItem* item = kinds_->currentItem();
    const int32_t code = item != nullptr ? item->data(kCodeRole).toInt() : DefaultFormatCode();
    return DisplayFormat{code, FromQString(pattern_->text())};
}

QString DesignerFormatEditor::Sample() const {
    const DisplayFormat format = Format();
    return ToQString(FormatSample(format.code, format.pattern));
}

}  // namespace report
