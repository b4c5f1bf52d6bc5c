// The page options dialog of the page shown: paper from the printer's list (or a custom
// size), orientation, margins and columns. "OK" applies them as one undo step; a refusal shows
// the engine's message and the dialog stays open.
#pragma once

#include <QDialog>

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QSpinBox;

namespace report {

class DesignDocument;

class DesignerPageOptions : public QDialog {
    Q_OBJECT
  public:
    // `document` must outlive the dialog.
    explicit DesignerPageOptions(DesignDocument& document, QWidget* parent = nullptr);

    // Paper codes are the items' data.
    QComboBox* Paper() const { return paper_; }
    // In millimetres; editable for a custom paper only.
    QDoubleSpinBox* PaperWidth() const { return width_; }
    QDoubleSpinBox* PaperHeight() const { return height_; }
    QComboBox* Orientation() const { return orientation_; }
    QSpinBox* LeftMargin() const { return left_; }
    QSpinBox* TopMargin() const { return top_; }
    QSpinBox* RightMargin() const { return right_; }
    QSpinBox* BottomMargin() const { return bottom_; }
    QSpinBox* Columns() const { return columns_; }
    QSpinBox* ColumnGap() const { return gap_; }
    QString Refusal() const;
    bool Changed() const { return changed_; }

    void accept() override;

  private:
    void PaperChosen();

    DesignDocument& document_;
    bool changed_ = false;
    QComboBox* paper_ = nullptr;
    QDoubleSpinBox* width_ = nullptr;
    QDoubleSpinBox* height_ = nullptr;
    QComboBox* orientation_ = nullptr;
    QSpinBox* left_ = nullptr;
    QSpinBox* top_ = nullptr;
    QSpinBox* right_ = nullptr;
    QSpinBox* bottom_ = nullptr;
    QSpinBox* columns_ = nullptr;
    QSpinBox* gap_ = nullptr;
    QLabel* refusal_ = nullptr;
};

}  // namespace report
