// The about window Apropos: version, author, mail link and the animated version history.
// Created hidden with the program; "A propos" shows it without blocking the main window, and
// closing it only hides it.
#pragma once

#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include "app/logic/history_animation.h"
#include "app/logic/program_dialogs.h"
#include "app/windows/shell.h"

namespace app {

// The history stage's drawing surface: shows the current frame bitmap.
class PaintBox final : public QWidget {
    Q_OBJECT
  public:
    explicit PaintBox(QWidget* parent) : QWidget(parent) {}
    void SetFrame(const QImage& frame);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage frame_;
};

class AboutWindow final : public QWidget {
    Q_OBJECT
  public:
    // dialogs and shell must outlive the window. The window is a dialog of `parent`.
    AboutWindow(ProgramDialogs& dialogs, Shell& shell, QWidget* parent = nullptr,
                HistoryTiming timing = HistoryTiming());

    // "Historique": shows the stage over the whole window and lets the history rise; ignored
    // while an animation runs.
    void PlayHistory();
    // The e-mail label: opens the mail link; warns when no mail program takes it.
    void OpenMailLink();

    bool IsAnimating() const { return animating_; }
    // The frame shown, from 1 to the animation's total (0 before the first animation).
    int Step() const { return step_; }
    const QStringList& HistoryLines() const { return historyLines_; }
    QFrame* HistoryStage() const { return historyStage_; }
    PaintBox* HistoryCanvas() const { return historyCanvas_; }
    QPushButton* HistoryButton() const { return historyButton_; }
    QLabel* MailLinkLabel() const { return mailLink_; }

    // The mail link that OpenMailLink opens.
    QString MailLink() const;

  private:
    void BuildAuthorAndVersion();
    void BuildMailLink();
    void BuildHistory();
    void FillTexts();
    void NextFrame();
    void RenderFrame();
    void EndAnimation();

    ProgramDialogs& dialogs_;
    Shell& shell_;
    HistoryTiming timing_;
    QStringList historyLines_;

    QLabel* emblem_ = nullptr;
    QLabel* familyName_ = nullptr;
    QLabel* givenName_ = nullptr;
    QLabel* version_ = nullptr;
    QLabel* mailCaption_ = nullptr;
    QLabel* mailLink_ = nullptr;
    QPushButton* historyButton_ = nullptr;
    QLabel* feedback_ = nullptr;
    QFrame* historyStage_ = nullptr;
    PaintBox* historyCanvas_ = nullptr;

    // Animation state.
    bool animating_ = false;
    int step_ = 0;
    HistoryAnimation animation_{0, 1, 0};
    QImage frame_;
    QFont historyFont_;
    QTimer frameTimer_;
};

}  // namespace app
