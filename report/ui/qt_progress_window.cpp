#include "report/ui/qt_progress_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <utility>

#include "report/core/base/engine_strings.h"
#include "report/qt/qt_text.h"

namespace report {

namespace {
constexpr int kCancelText = 55001;  // "Annuler"
}  // namespace

QtProgressWindow::QtProgressWindow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      label1_(new QLabel(this)),
      label2_(new QLabel(this)),
      button1_(new QPushButton(this)) {
    setModal(true);
    setFixedSize(278, 106);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(8);
    setFont(font);
    label1_->setGeometry(20, 26, 237, 13);
    label1_->setAlignment(Qt::AlignCenter);
    label2_->setGeometry(20, 42, 237, 13);
    label2_->setAlignment(Qt::AlignCenter);
    button1_->setGeometry(100, 68, 75, 25);
    button1_->setText(ToQString(EngineText(kCancelText)));
    connect(button1_, &QPushButton::clicked, this, [this] { Button1Click(); });
}

ProgressWindow::Result QtProgressWindow::RunModal(const std::string& caption,
                                                  const std::string& label,
                                                  const std::function<void()>& work,
                                                  const std::function<void()>& cancel) {
    setWindowTitle(ToQString(caption));
    label1_->setText(ToQString(label));
    label2_->clear();
    button1_->setText(ToQString(EngineText(kCancelText)));
    work_ = work;
    cancel_ = cancel;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - rect().center());
    }
    // Queued, so that the work starts once the modal loop has shown the window.
    QMetaObject::invokeMethod(
        this, [this] { Started(); }, Qt::QueuedConnection);
    const int result = exec();
    work_ = nullptr;
    cancel_ = nullptr;
    if (escaped_) std::rethrow_exception(std::exchange(escaped_, nullptr));
    return result == QDialog::Accepted ? Result::Ok : Result::Cancel;
}

void QtProgressWindow::Started() {
    if (!work_ || running_) return;
    running_ = true;
    const std::function<void()> work = work_;
    // An exception must not cross Qt's event loop: the window closes and RunModal raises it.
    try {
        work();
    } catch (...) {
        escaped_ = std::current_exception();
        done(QDialog::Rejected);
    }
    running_ = false;
}

void QtProgressWindow::Close(Result result) {
    done(result == Result::Ok ? QDialog::Accepted : QDialog::Rejected);
}

void QtProgressWindow::SetLabel(const std::string& label) {
    label1_->setText(ToQString(label));
    QCoreApplication::processEvents();
}

void QtProgressWindow::SetSecondLine(const std::string& text) {
    label2_->setText(ToQString(text));
    QCoreApplication::processEvents();
}

void QtProgressWindow::Button1Click() {
    if (cancel_) cancel_();
    Close(Result::Cancel);
}

void QtProgressWindow::reject() {
    Button1Click();
}

void QtProgressWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    Button1Click();
}

}  // namespace report
