// QtProgressWindow: the engine's progress window, a small modal dialog that runs a long
// operation (a build, a print job) once it is on screen and offers a cancel button.
//
// Layout in pixels of its 278 x 106 client area: the progress line at 20,26 (237 x 13), the
// second line at 20,42, the "Annuler" button at 100,68 (75 x 25). Escape presses the button.
// Texts are Windows-1252.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "report/core/building/progress_window.h"

class QLabel;
class QPushButton;

namespace report {

class QtProgressWindow final : public QDialog, public ProgressWindow {
    Q_OBJECT

  public:
    explicit QtProgressWindow(QWidget* parent = nullptr);

    // Shows the window modally with the caption and the progress line, the second line
    // emptied; once it is on screen `work` runs (inside the modal loop) and must end by Close.
    Result RunModal(const std::string& caption, const std::string& label,
                    const std::function<void()>& work,
                    const std::function<void()>& cancel) override;
    void Close(Result result) override;
    void SetLabel(const std::string& label) override;
    void SetSecondLine(const std::string& text) override;

    QLabel* ProgressLine() const { return label1_; }
    QLabel* SecondLine() const { return label2_; }
    QPushButton* CancelButton() const { return button1_; }

  protected:
    // Escape: the cancel button.
    void reject() override;
    // No close box; Alt+F4 and the like cancel too.
    void closeEvent(QCloseEvent* event) override;

  private:
    void Button1Click();
    void Started();

    QLabel* label1_;
    QLabel* label2_;
    QPushButton* button1_;
    std::function<void()> work_;
    std::function<void()> cancel_;
    bool running_ = false;
};

}  // namespace report
