// The report options dialog: two passes and the printer the template is meant for. "OK"
// applies them as one undo step; a refusal shows the engine's message and the dialog stays
// open.
#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;

namespace report {

class DesignDocument;

class DesignerReportOptions : public QDialog {
    Q_OBJECT
  public:
    // `document` must outlive the dialog.
    explicit DesignerReportOptions(DesignDocument& document, QWidget* parent = nullptr);

    QCheckBox* TwoPass() const { return twoPass_; }
    // Printer names are the items' data; the first, empty, leaves the choice to printing time.
    QComboBox* Printer() const { return printer_; }
    QString Refusal() const;
    // Whether "OK" changed the report.
    bool Changed() const { return changed_; }

    void accept() override;

  private:
    DesignDocument& document_;
    bool changed_ = false;
    QCheckBox* twoPass_ = nullptr;
    QComboBox* printer_ = nullptr;
    QLabel* refusal_ = nullptr;
};

}  // namespace report
