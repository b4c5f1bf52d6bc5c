// The frame and fill editor: the sides of the frame drawn, its width, pen style and colour, and
// the fill colour. "OK" applies them to the selected objects (bands aside) as one undo step; a
// refusal is shown under the fields and the dialog stays open.
#pragma once

#include <QDialog>

#include "report/core/designer/frame_fill_edit.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;

namespace report {

class DesignDocument;
class DesignerColourButton;

class DesignerFrameEditor : public QDialog {
    Q_OBJECT
  public:
    // Opens on `frame`; `document` must outlive the dialog.
    DesignerFrameEditor(DesignDocument& document, const FrameAndFill& frame,
                        QWidget* parent = nullptr);

    // The check box of a frame_side bit; nullptr for another value.
    QCheckBox* SideBox(uint16_t side) const;
    QDoubleSpinBox* Width() const { return width_; }
    // The pen styles in FrameStyle order.
    QComboBox* Style() const { return style_; }
    DesignerColourButton* FrameColour() const { return frameColour_; }
    DesignerColourButton* FillColour() const { return fillColour_; }
    // The frame and fill as chosen now.
    FrameAndFill Frame() const;
    // The refusal shown under the fields; empty when none.
    QString Refusal() const;
    // Whether "OK" changed the template.
    bool Changed() const { return changed_; }

    void accept() override;

  private:
    DesignDocument& document_;
    bool changed_ = false;
    QCheckBox* left_ = nullptr;
    QCheckBox* top_ = nullptr;
    QCheckBox* right_ = nullptr;
    QCheckBox* bottom_ = nullptr;
    QDoubleSpinBox* width_ = nullptr;
    QComboBox* style_ = nullptr;
    DesignerColourButton* frameColour_ = nullptr;
    DesignerColourButton* fillColour_ = nullptr;
    QLabel* refusal_ = nullptr;
};

}  // namespace report
