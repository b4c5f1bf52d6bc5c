#include "report/ui/designer_highlight_editor.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

#include "report/core/designer/highlight_edit.h"
#include "report/qt/qt_canvas.h"
#include "report/qt/qt_text.h"
#include "report/ui/designer_colour_button.h"
#include "report/ui/designer_dialog_frame.h"
#include "report/ui/designer_font_style_boxes.h"

namespace report {

DesignerHighlightEditor::DesignerHighlightEditor(DesignDocument& document,
                                                 const MemoView::Highlight& highlight,
                                                 QWidget* parent)
    : QDialog(parent), document_(document) {
    setWindowTitle(QStringLiteral("Surbrillance"));
    auto* body = new QWidget(this);
    condition_ = new QLineEdit(ToQString(highlight.condition), body);
    condition_->setPlaceholderText(QStringLiteral("[Montant] > 1000"));
    styles_ = new DesignerFontStyleBoxes(highlight.fontStyle, body);
    connect(styles_, &DesignerFontStyleBoxes::StyleChanged, this, [this] { ShowSample(); });
    fontColour_ = new DesignerColourButton(highlight.fontColor, false, body);
    fillColour_ = new DesignerColourButton(highlight.fillColor, true, body);
    connect(fontColour_, &DesignerColourButton::ColourChanged, this, [this] { ShowSample(); });
    connect(fillColour_, &DesignerColourButton::ColourChanged, this, [this] { ShowSample(); });
    sample_ = new QLabel(QStringLiteral("AaBbYyZz 123"), body);
    sample_->setAlignment(Qt::AlignCenter);
    sample_->setMinimumHeight(40);
    sample_->setAutoFillBackground(true);

    auto* fields = new QFormLayout(body);
    fields->setContentsMargins(0, 0, 0, 0);
    fields->addRow(QStringLiteral("&Condition :"), condition_);
    fields->addRow(QStringLiteral("Style :"), styles_);
    fields->addRow(QStringLiteral("Couleur du &texte :"), fontColour_);
    fields->addRow(QStringLiteral("Couleur de &fond :"), fillColour_);
    fields->addRow(QStringLiteral("Exemple :"), sample_);
    refusal_ = FrameEditorDialog(*this, body);
    ShowSample();
    resize(420, 260);
}

QCheckBox* DesignerHighlightEditor::StyleBox(uint16_t bit) const {
    return styles_->Box(bit);
}

MemoView::Highlight DesignerHighlightEditor::Highlight() const {
    MemoView::Highlight highlight;
    highlight.condition = FromQString(condition_->text());
    highlight.fontStyle = styles_->Style();
    highlight.fontColor = fontColour_->Colour();
    highlight.fillColor = fillColour_->Colour();
    return highlight;
}

void DesignerHighlightEditor::ShowSample() {
    QFont font = sample_->font();
    SetFontStyle(font, styles_->Style());
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
