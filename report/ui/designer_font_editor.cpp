#include "report/ui/designer_font_editor.h"

#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStringList>
#include <QVBoxLayout>
#include <algorithm>

#include "report/core/designer/font_edit.h"
#include "report/qt/font_mapping.h"
#include "report/qt/qt_canvas.h"
#include "report/qt/qt_text.h"
#include "report/ui/designer_colour_button.h"
#include "report/ui/designer_dialog_frame.h"
#include "report/ui/designer_font_style_boxes.h"

namespace report {
namespace {

// Sample sizes beyond this would only show a letter or two.
constexpr int kLargestSamplePoints = 48;

// fontconfig's families by the names a template stores: Qt names a family that several
// foundries make "Family [foundry]", which no printer would know.
QStringList InstalledFamilies() {
    QStringList names;
    for (const QString& family : QFontDatabase::families()) {
        if (QFontDatabase::isPrivateFamily(family)) continue;
        const qsizetype foundry = family.indexOf(QStringLiteral(" ["));
        names.append(foundry < 0 ? family : family.left(foundry));
    }
    names.removeDuplicates();
    return names;
}

}  // namespace

DesignerFontEditor::DesignerFontEditor(DesignDocument& document, const Font& font, QWidget* parent)
    : QDialog(parent), document_(document), charset_(font.charset) {
    setWindowTitle(QStringLiteral("Police"));
    auto* body = new QWidget(this);
    family_ = new QLineEdit(ToQString(font.name), body);
    families_ = new QListWidget(body);
    families_->addItems(InstalledFamilies());
    size_ = new QSpinBox(body);
    size_->setRange(kMinFontSize, kMaxFontSize);
    size_->setValue(font.size);
    styles_ = new DesignerFontStyleBoxes(font.style, body);
    colour_ = new DesignerColourButton(font.color, false, body);
    printedWith_ = new QLabel(body);
    sample_ = new QLabel(QStringLiteral("AaBbYyZz 123 éàç"), body);
    sample_->setAlignment(Qt::AlignCenter);
    sample_->setMinimumHeight(60);
    sample_->setAutoFillBackground(true);

    auto* familyBox = new QVBoxLayout;
    auto* familyLabel = new QLabel(QStringLiteral("&Police :"), body);
    familyLabel->setBuddy(family_);
    familyBox->addWidget(familyLabel);
    familyBox->addWidget(family_);
    familyBox->addWidget(families_, 1);
    familyBox->addWidget(printedWith_);
    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("&Taille :"), size_);
    fields->addRow(QStringLiteral("Style :"), styles_);
    fields->addRow(QStringLiteral("&Couleur :"), colour_);
    auto* top = new QHBoxLayout;
    top->addLayout(familyBox, 1);
    top->addLayout(fields);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top, 1);
    layout->addWidget(sample_);
    refusal_ = FrameEditorDialog(*this, body);

    connect(family_, &QLineEdit::textEdited, this, [this] { FamilyTyped(); });
    connect(families_, &QListWidget::currentTextChanged, this, [this](const QString& text) {
        if (text.isEmpty() || !families_->hasFocus()) return;
        family_->setText(text);
        ShowSample();
    });
    connect(size_, &QSpinBox::valueChanged, this, [this] { ShowSample(); });
    connect(styles_, &DesignerFontStyleBoxes::StyleChanged, this, [this] { ShowSample(); });
    connect(colour_, &DesignerColourButton::ColourChanged, this, [this] { ShowSample(); });
    FamilyTyped();
    resize(560, 420);
}

void DesignerFontEditor::FamilyTyped() {
    // The list follows what is typed: the first family that starts with it is made current.
    const QString typed = family_->text().trimmed();
    const QSignalBlocker block(families_);
    families_->setCurrentRow(-1);
    for (int row = 0; row < families_->count() && !typed.isEmpty(); ++row) {
        if (families_->item(row)->text().startsWith(typed, Qt::CaseInsensitive)) {
            families_->setCurrentRow(row);
            families_->scrollToItem(families_->item(row));
            break;
        }
    }
    ShowSample();
}

QString DesignerFontEditor::PrintedWith() const {
    return printedWith_->text();
}

void DesignerFontEditor::ShowSample() {
    const QString family = LinuxFontFamily(FromQString(family_->text().trimmed()));
    printedWith_->setText(QStringLiteral("Imprimé avec : %1").arg(family));
    QFont font(family);
    font.setPointSize(std::min(size_->value(), kLargestSamplePoints));
    SetFontStyle(font, styles_->Style());
    sample_->setFont(font);
    QPalette palette = sample_->palette();
    palette.setColor(QPalette::WindowText, QtColorOf(colour_->Colour()));
    palette.setColor(QPalette::Window, Qt::white);
    sample_->setPalette(palette);
}

Font DesignerFontEditor::ChosenFont() const {
    Font font;
    font.name = FromQString(family_->text());
    font.size = size_->value();
    font.style = styles_->Style();
    font.color = colour_->Colour();
    font.charset = charset_;
    return font;
}

QString DesignerFontEditor::Refusal() const {
    return RefusalText(*refusal_);
}

void DesignerFontEditor::accept() {
    try {
        changed_ = ApplyFont(document_, ChosenFont());
    } catch (const std::exception& error) {
        ShowRefusal(*refusal_, ToQString(error.what()));
        family_->setFocus();
        return;
    }
    ShowRefusal(*refusal_, QString());
    QDialog::accept();
}

}  // namespace report
