// The preview's find dialog: the text, case sensitivity and where the search starts.
#pragma once

#include <QDialog>
#include <string>

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace report {

class FindDialog : public QDialog {
    Q_OBJECT
  public:
    explicit FindDialog(QWidget* parent = nullptr);

    // Windows-1252, as the search compares it.
    std::string Text() const;
    void SetText(const std::string& text);
    bool CaseSensitive() const;
    void SetCaseSensitive(bool on);
    // "Première": from the first page; "Courante": from the current one.
    bool FromFirstPage() const;
    void SetFromFirstPage(bool on);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    QLineEdit* text_;
    QCheckBox* caseSensitive_;
    QRadioButton* first_;
    QRadioButton* current_;
};

}  // namespace report
