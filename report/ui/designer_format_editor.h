// The display format editor: the format categories, the kinds of the chosen one each shown by
// what the fixed sample value prints as, the decimals and separator of numbers, and the
// pattern that the last kind of each category follows. The sample follows every change.
#pragma once

#include <QDialog>

#include "report/core/value/display_format.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QSpinBox;

namespace report {

class DesignerFormatEditor : public QDialog {
    Q_OBJECT
  public:
    // Opens on `format` (the pattern is Windows-1252).
    explicit DesignerFormatEditor(const DisplayFormat& format, QWidget* parent = nullptr);

    // The format as chosen now.
    DisplayFormat Format() const;

    QListWidget* Categories() const { return categories_; }
    // The kinds of the category chosen, in variant order; each item shows its sample.
    QListWidget* Kinds() const { return kinds_; }
    QSpinBox* Decimals() const { return decimals_; }
    QComboBox* Separator() const { return separator_; }
    QLineEdit* Pattern() const { return pattern_; }
    // What the sample value prints as in the format chosen.
    QString Sample() const;

  private:
    void FillKinds(int variant);
    void Refresh();

    QListWidget* categories_ = nullptr;
    QListWidget* kinds_ = nullptr;
    QSpinBox* decimals_ = nullptr;
    QComboBox* separator_ = nullptr;
    QLineEdit* pattern_ = nullptr;
    QLabel* sample_ = nullptr;
};

}  // namespace report
