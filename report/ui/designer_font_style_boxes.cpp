#include "report/ui/designer_font_style_boxes.h"

#include <QCheckBox>
#include <QFont>
#include <QGridLayout>

#include "report/core/base/drawing_codes.h"

namespace report {

void SetFontStyle(QFont& font, uint16_t style) {
    font.setBold((style & font_style::kBold) != 0);
    font.setItalic((style & font_style::kItalic) != 0);
    font.setUnderline((style & font_style::kUnderline) != 0);
    font.setStrikeOut((style & font_style::kStrikeOut) != 0);
}

DesignerFontStyleBoxes::DesignerFontStyleBoxes(uint16_t style, QWidget* parent) : QWidget(parent) {
    const auto box = [&](const QString& text, uint16_t bit) {
        auto* check = new QCheckBox(text, this);
        check->setChecked((style & bit) != 0);
        connect(check, &QCheckBox::toggled, this, &DesignerFontStyleBoxes::StyleChanged);
        return check;
    };
    bold_ = box(QStringLiteral("&Gras"), font_style::kBold);
    italic_ = box(QStringLiteral("&Italique"), font_style::kItalic);
    underline_ = box(QStringLiteral("&Souligné"), font_style::kUnderline);
    strikeOut_ = box(QStringLiteral("&Barré"), font_style::kStrikeOut);
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(bold_, 0, 0);
    layout->addWidget(italic_, 0, 1);
    layout->addWidget(underline_, 1, 0);
    layout->addWidget(strikeOut_, 1, 1);
}

QCheckBox* DesignerFontStyleBoxes::Box(uint16_t bit) const {
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

uint16_t DesignerFontStyleBoxes::Style() const {
    uint16_t style = 0;
    for (uint16_t bit :
         {font_style::kItalic, font_style::kBold, font_style::kUnderline, font_style::kStrikeOut})
        if (Box(bit)->isChecked()) style |= bit;
    return style;
}

}  // namespace report
