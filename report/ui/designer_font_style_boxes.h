// The four font style check boxes the highlight and font editors share: "Gras", "Italique",
// "Souligné", "Barré", each one bit of a font_style word.
#pragma once

#include <QWidget>
#include <cstdint>

class QCheckBox;
class QFont;

namespace report {

// Gives `font` the font_style bits of `style` (for samples).
void SetFontStyle(QFont& font, uint16_t style);

class DesignerFontStyleBoxes : public QWidget {
    Q_OBJECT
  public:
    explicit DesignerFontStyleBoxes(uint16_t style, QWidget* parent = nullptr);

    // The check box of a font_style bit; nullptr for another value.
    QCheckBox* Box(uint16_t bit) const;
    // The bits checked.
    uint16_t Style() const;

  signals:
    void StyleChanged();

  private:
    QCheckBox* bold_ = nullptr;
    QCheckBox* italic_ = nullptr;
    QCheckBox* underline_ = nullptr;
    QCheckBox* strikeOut_ = nullptr;
};

}  // namespace report
