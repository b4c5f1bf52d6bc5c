#include "app/windows/about_window.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <QScreen>

#include "app/logic/app_texts.h"
#include "app/logic/globals.h"
#include "app/windows/emblem.h"
#include "app/windows/fonts.h"
#include "app/windows/widget_text.h"

namespace app {
namespace {

constexpr int kClientWidth = 323;
constexpr int kClientHeight = 184;
constexpr int kSubjectLength = 38;
const QColor kRed(255, 0, 0);
const QColor kLime(0, 255, 0);
const QColor kBlue(0, 0, 255);

QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& text, const QFont& font,
                  const QColor& colour, int x, int y) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->adjustSize();
    label->move(x, y);
    return label;
}

QString Version() {
    return QText(ProgramVersion);
}

}  // namespace

void PaintBox::SetFrame(const QImage& frame) {
    frame_ = frame;
    update();
}

void PaintBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!frame_.isNull()) painter.drawImage(0, 0, frame_);
}

AboutWindow::AboutWindow(ProgramDialogs& dialogs, Shell& shell, QWidget* parent,
                         HistoryTiming timing)
    : QWidget(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint),
      dialogs_(dialogs),
      shell_(shell),
      timing_(timing) {
    setObjectName(QStringLiteral("Apropos"));
    setWindowTitle(QText(texts::kAboutCaption));
    setFont(WindowFont());
    setFixedSize(kClientWidth, kClientHeight);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, kRed);
    setPalette(palette);

    BuildAuthorAndVersion();
    BuildMailLink();
    BuildHistory();

    frameTimer_.setInterval(timing_.frameMilliseconds);
    connect(&frameTimer_, &QTimer::timeout, this, [this] { NextFrame(); });

    FillTexts();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

// The emblem, the author, the version and the call for remarks.
void AboutWindow::BuildAuthorAndVersion() {
    const QImage emblem = DrawEmblem();
    setWindowIcon(QPixmap::fromImage(emblem));
    emblem_ = new QLabel(this);
    emblem_->setObjectName(QStringLiteral("emblem"));
    emblem_->setPixmap(QPixmap::fromImage(emblem));
    emblem_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    emblem_->setGeometry(16, 8, 65, 65);
    emblem_->setAccessibleName(QStringLiteral("Emblème de Tombage"));

    const QFont titleFont = SchoolbookFont(27, true);
    familyName_ = MakeLabel(this, QStringLiteral("familyName"), QText(texts::kAuthorFamilyName),
                            titleFont, kLime, 96, 8);
    givenName_ = MakeLabel(this, QStringLiteral("givenName"), QText(texts::kAuthorGivenName),
                           titleFont, kLime, 96, 48);
    version_ = MakeLabel(this, QStringLiteral("version"), QString(), titleFont, kLime, 56, 88);
    version_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    feedback_ =
        MakeLabel(this, QStringLiteral("feedback"),
                  QText(texts::kFeedbackLine1) + QLatin1Char('\n') + QText(texts::kFeedbackLine2),
                  SchoolbookFont(12, false), kLime, 8, 152);
    feedback_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    feedback_->setGeometry(8, 152, 305, 33);
}

void AboutWindow::BuildMailLink() {
    mailCaption_ = MakeLabel(this, QStringLiteral("mailCaption"), QText(texts::kMailLabel),
                             SchoolbookFont(16, true), kLime, 16, 128);
    // The mail link: a rich-text link, so that it takes the keyboard focus, is announced as a
    // link and shows the hand pointer under the mouse.
    QFont linkFont = SchoolbookFont(16, true);
    linkFont.setUnderline(true);
    const QString address = QText(texts::kContactAddress);
    mailLink_ = MakeLabel(this, QStringLiteral("mailLink"),
                          QStringLiteral("<a href=\"mailto:%1\" style=\"color:#0000ff\">%1</a>")
                              .arg(address.toHtmlEscaped()),
                          linkFont, kBlue, 103, 128);
    mailLink_->setAlignment(Qt::AlignRight | Qt::AlignTop);
    mailLink_->setTextFormat(Qt::RichText);
    mailLink_->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    mailLink_->setOpenExternalLinks(false);
    mailLink_->setCursor(Qt::PointingHandCursor);
    mailLink_->adjustSize();
    connect(mailLink_, &QLabel::linkActivated, this, [this] { OpenMailLink(); });
}

// The "Historique" button and the stage, hidden, on which the history rises.
void AboutWindow::BuildHistory() {
    historyButton_ = new QPushButton(QText(texts::kHistoryButton), this);
    historyButton_->setObjectName(QStringLiteral("historyButton"));
    historyButton_->setGeometry(224, 56, 75, 25);
    connect(historyButton_, &QPushButton::clicked, this, [this] { PlayHistory(); });

    historyStage_ = new QFrame(this);
    historyStage_->setObjectName(QStringLiteral("historyStage"));
    historyStage_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    historyStage_->setLineWidth(4);
    historyStage_->setAutoFillBackground(true);
    historyStage_->hide();
    historyCanvas_ = new PaintBox(historyStage_);
    historyCanvas_->setObjectName(QStringLiteral("historyCanvas"));
}

void AboutWindow::FillTexts() {
    setWindowTitle(windowTitle() + Version());
    version_->setText(QText(texts::kVersionPrefix) + Version());
    version_->setGeometry(56, 88, 246, version_->sizeHint().height());
    historyLines_.clear();
    for (const std::string_view line : kHistoryLines)
        historyLines_.append(QText(line));
}

void AboutWindow::PlayHistory() {
    if (animating_) return;  // a running history is not started again
    animating_ = true;
    historyStage_->setGeometry(rect());
    historyCanvas_->setGeometry(historyStage_->contentsRect());
    historyStage_->show();
    historyStage_->raise();

    const int width = std::max(1, historyCanvas_->width());
    const int height = std::max(1, historyCanvas_->height());
    frame_ = QImage(width, height, QImage::Format_RGB32);
    frame_.fill(Qt::white);
    historyFont_ = ArialFont(10);
    const int lineHeight = QFontMetrics(historyFont_, &frame_).height();
    animation_ = HistoryAnimation(static_cast<int>(historyLines_.size()), lineHeight, height);
    step_ = 1;
    RenderFrame();
    frameTimer_.start();
}

void AboutWindow::NextFrame() {
    if (step_ >= animation_.Total()) {
        // The last frame stays up for the final pause.
        frameTimer_.stop();
        QTimer::singleShot(timing_.finalPauseMilliseconds, this, [this] { EndAnimation(); });
        return;
    }
    ++step_;
    RenderFrame();
}

void AboutWindow::RenderFrame() {
    frame_.fill(Qt::white);
    QPainter painter(&frame_);
    painter.setFont(historyFont_);
    painter.setPen(kBlue);
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(Qt::white);
    const QFontMetrics metrics(historyFont_, &frame_);
    for (int i = 1; i <= animation_.LineCount(); ++i) {
        const int top = animation_.LineTop(i, step_);
        if (top + animation_.LineHeight() < 0 || top > frame_.height()) continue;
        painter.drawText(1, top + metrics.ascent(), historyLines_[i - 1]);
    }
    painter.end();
    historyCanvas_->SetFrame(frame_);
}

void AboutWindow::EndAnimation() {
    historyStage_->hide();
    frame_ = QImage();
    historyCanvas_->SetFrame(frame_);
    animating_ = false;
}

QString AboutWindow::MailLink() const {
    const QString subject = windowTitle().left(kSubjectLength);
    return QStringLiteral("mailto:") + QText(texts::kContactAddress) + QStringLiteral("?subject=") +
           subject;
}

void AboutWindow::OpenMailLink() {
    if (!shell_.OpenUrl(QUrl(MailLink(), QUrl::TolerantMode))) {
        dialogs_.ShowYesWarning(AppText(texts::kNoMailProgram), AppText(texts::kWarningCaption));
    }
}

}  // namespace app
