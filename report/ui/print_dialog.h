// The print dialog "Imprimer": printer, pages, copies, collation and odd/even pages. The
// window only shows a PrintDialogState and forwards its input there. Child widgets carry the
// names of the form (CB1, E1, RB3 …).
#pragma once

#include <QDialog>

#include "report/core/output/print_dialog_state.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;
class QWidget;

namespace report {

class Printer;

class PrintDialog : public QDialog {
  public:
    // Opens on the printer layer's current printer; copies and collation from the report's
    // DefaultCopies and DefaultCollate.
    PrintDialog(Printer& printer, int32_t defaultCopies, bool defaultCollate,
                QWidget* parent = nullptr);

    PrintDialogState& State() { return state_; }
    // The options of an accepted dialog (ConvertError for copies that are not an integer).
    PrintOptions Options(int currentPage) const { return state_.Options(currentPage); }

    void done(int result) override;

  private:
    void ShowState();
    void ChangeCopies(bool up);

    PrintDialogState state_;
    QComboBox* printers_ = nullptr;
    QRadioButton* all_ = nullptr;
    QRadioButton* current_ = nullptr;
    QRadioButton* list_ = nullptr;
    QLineEdit* pageList_ = nullptr;
    QLineEdit* copies_ = nullptr;
    QCheckBox* collate_ = nullptr;
    QWidget* collatePicture_ = nullptr;
    QComboBox* parity_ = nullptr;
};

}  // namespace report
