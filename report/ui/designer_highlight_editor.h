// The highlight editor: the condition under which a text object prints in another look, and
// that look (font style, font colour, background). "OK" applies it to the selected text
// objects as one undo step; a condition the parser refuses is shown under the fields and the
// dialog stays open.
#pragma once

#include <QDialog>

#include "report/core/model/memo_view.h"

class QCheckBox;
class QLabel;
class QLineEdit;

namespace report {

class DesignDocument;
class DesignerColourButton;
class DesignerFontStyleBoxes;

class DesignerHighlightEditor : public QDialog {
    Q_OBJECT
  public:
    // Opens on `highlight` (its condition Windows-1252); `document` must outlive the dialog.
    DesignerHighlightEditor(DesignDocument& document, const MemoView::Highlight& highlight,
                            QWidget* parent = nullptr);

    QLineEdit* Condition() const { return condition_; }
    // The check box of a font_style bit; nullptr for another value.
    QCheckBox* StyleBox(uint16_t bit) const;
    DesignerColourButton* FontColour() const { return fontColour_; }
    DesignerColourButton* FillColour() const { return fillColour_; }
    // The highlight as chosen now.
    MemoView::Highlight Highlight() const;
    // The refusal shown under the fields; empty when none.
    QString Refusal() const;
    // Whether "OK" changed the template.
    bool Changed() const { return changed_; }

    void accept() override;

  private:
    void ShowSample();

    DesignDocument& document_;
    bool changed_ = false;
    QLineEdit* condition_ = nullptr;
    DesignerFontStyleBoxes* styles_ = nullptr;
    DesignerColourButton* fontColour_ = nullptr;
    DesignerColourButton* fillColour_ = nullptr;
    QLabel* sample_ = nullptr;
    QLabel* refusal_ = nullptr;
};

}  // namespace report
