#include "report/ui/designer_highlight_editor.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "report/core/designer/highlight_edit.h"
#include "report/qt/qt_canvas.h"
#include "report/qt/qt_text.h"
#include "report/ui/designer_colour_button.h"
#include "report/ui/designer_dialog_frame.h"

namespace report {

DesignerHighlightEditor::DesignerHighlightEditor(DesignDocument& document,
                                                 const MemoView::Highlight& highlight,
                                                 QWidget* parent)
    : QDialog(parent), document_(document) {
    setWindowTitle(QStringLiteral("Surbrillance"));
    auto* body = new QWidget(this);
    condition_ = new QLineEdit(ToQString(highlight.condition), body);
    condition_->setPlaceholderText(QStringLiteral("[Montant] > 1000"));
    const auto box = [&](const QString& text, uint16_t bit) {
        auto* check = new QCheckBox(text, body);
        check->setChecked((highlight.fontStyle & bit) != 0);
        connect(check, &QCheckBox::toggled, this, [this] { ShowSample(); });
        return check;
    };
    bold_ = box(QStringLiteral("&Gras"), font_style::kBold);
    italic_ = box(QStringLiteral("&Italique"), font_style::kItalic);
    underline_ = box(QStringLiteral("&Souligné"), font_style::kUnderline);
    strikeOut_ = box(QStringLiteral("&Barré"), font_style::kStrikeOut);
    fontColour_ = new DesignerColourButton(highlight.fontColor, false, body);
    fillColour_ = new DesignerColourButton(highlight.fillColor, true, body);
    connect(fontColour_, &DesignerColourButton::ColourChanged, this, [this] { ShowSample(); });
    connect(fillColour_, &DesignerColourButton::ColourChanged, this, [this] { ShowSample(); });
    sample_ = new QLabel(QStringLiteral("AaBbYyZz 123"), body);
    sample_->setAlignment(Qt::AlignCenter);
    sample_->setMinimumHeight(40);
    sample_->setAutoFillBackground(true);

    auto* styles = new QGridLayout;
    styles->addWidget(bold_, 0, 0);
    styles->addWidget(italic_, 0, 1);
    styles->addWidget(underline_, 1, 0);
    styles->addWidget(strikeOut_, 1, 1);
    auto* fields = new QFormLayout(body);
    fields->setContentsMargins(0, 0, 0, 0);
    fields->addRow(QStringLiteral("&Condition :"), condition_);
    fields->addRow(QStringLiteral("Style :"), styles);
    fields->addRow(QStringLiteral("Couleur du &texte :"), fontColour_);
    fields->addRow(QStringLiteral("Couleur de &fond :"), fillColour_);
    fields->addRow(QStringLiteral("Exemple :"), sample_);
    refusal_ = FrameEditorDialog(*this, body);
    ShowSample();
    resize(420, 260);
}

QCheckBox* DesignerHighlightEditor::StyleBox(uint16_t bit) const {
    switch (bit) {
        case font_style::kBold:
            return bold_;
        case font_style::kItalic:
            return italic_;
        case font_style::kUnderline:
            return underline_;
        case font_style::kStrikeOut:
            return strikeOut_;
        default:
            return nullptr;
    }
}

MemoView::Highlight DesignerHighlightEditor::Highlight() const {
    MemoView::Highlight highlight;
    highlight.condition = FromQString(condition_->text());
    highlight.fontStyle = 0;
    for (uint16_t bit :
         {font_style::kItalic, font_style::kBold, font_style::kUnderline, font_style::kStrikeOut})
        if (StyleBox(bit)->isChecked()) highlight.fontStyle |= bit;
    highlight.fontColor = fontColour_->Colour();
    highlight.fillColor = fillColour_->Colour();
    return highlight;
}

void DesignerHighlightEditor::ShowSample() {
    QFont font = sample_->font();
    font.setBold(bold_->isChecked());
    font.setItalic(italic_->isChecked());
    font.setUnderline(underline_->isChecked());
    font.setStrikeOut(strikeOut_->isChecked());
    sample_->setFont(font);
    QPalette palette = sample_->palette();
    palette.setColor(QPalette::WindowText, QtColorOf(fontColour_->Colour()));
    palette.setColor(QPalette::Window, fillColour_->Colour() == kNoColor
                                           ? Qt::white
                                           : QtColorOf(fillColour_->Colour()));
    sample_->setPalette(palette);
}

QString DesignerHighlightEditor::Refusal() const {
    return RefusalText(*refusal_);
}

void DesignerHighlightEditor::accept() {
    try {
        changed_ = ApplyHighlight(document_, Highlight());
    } catch (const std::exception& error) {
        ShowRefusal(*refusal_, ToQString(error.what()));
        condition_->setFocus();
        return;
    }
    ShowRefusal(*refusal_, QString());
    QDialog::accept();
}

}  // namespace report
