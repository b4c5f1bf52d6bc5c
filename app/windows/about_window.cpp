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

    const QImage emblem = DrawEmblem();
    setWindowIcon(QPixmap::fromImage(emblem));
    image2_ = new QLabel(this);
    image2_->setObjectName(QStringLiteral("Image2"));
    image2_->setPixmap(QPixmap::fromImage(emblem));
    image2_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    image2_->setGeometry(16, 8, 65, 65);
    image2_->setAccessibleName(QStringLiteral("Emblème de Tombage"));

    const QFont titleFont = SchoolbookFont(27, true);
    nom_ = MakeLabel(this, QStringLiteral("nom"), QText(texts::kAuthorFamilyName), titleFont, kLime,
                     96, 8);
    label1_ = MakeLabel(this, QStringLiteral("Label1"), QText(texts::kAuthorGivenName), titleFont,
                        kLime, 96, 48);
    version_ = MakeLabel(this, QStringLiteral("Version"), QString(), titleFont, kLime, 56, 88);
    version_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label2_ = MakeLabel(this, QStringLiteral("Label2"), QText(texts::kMailLabel),
                        SchoolbookFont(16, true), kLime, 16, 128);

    // The mail link: a rich-text link, so that it takes the keyboard focus, is announced as a
    // link and shows the hand pointer under the mouse.
    QFont linkFont = SchoolbookFont(16, true);
    linkFont.setUnderline(true);
    const QString address = QText(texts::kContactAddress);
    label3_ = MakeLabel(this, QStringLiteral("Label3"),
                        QStringLiteral("<a href=\"mailto:%1\" style=\"color:#0000ff\">%1</a>")
                            .arg(address.toHtmlEscaped()),
                        linkFont, kBlue, 103, 128);
    label3_->setAlignment(Qt::AlignRight | Qt::AlignTop);
    label3_->setTextFormat(Qt::RichText);
    label3_->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    label3_->setOpenExternalLinks(false);
    label3_->setCursor(Qt::PointingHandCursor);
    label3_->adjustSize();
    connect(label3_, &QLabel::linkActivated, this, [this] { Label3Click(); });

    button1_ = new QPushButton(QText(texts::kHistoryButton), this);
    button1_->setObjectName(QStringLiteral("Button1"));
    button1_->setGeometry(224, 56, 75, 25);
    connect(button1_, &QPushButton::clicked, this, [this] { Button1Click(); });

    memo1_ =
        MakeLabel(this, QStringLiteral("Memo1"),
                  QText(texts::kFeedbackLine1) + QLatin1Char('\n') + QText(texts::kFeedbackLine2),
                  SchoolbookFont(12, false), kLime, 8, 152);
    memo1_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    memo1_->setGeometry(8, 152, 305, 33);

    panel1_ = new QFrame(this);
    panel1_->setObjectName(QStringLiteral("Panel1"));
    panel1_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel1_->setLineWidth(4);
    panel1_->setAutoFillBackground(true);
    panel1_->hide();
    paintBox1_ = new PaintBox(panel1_);
    paintBox1_->setObjectName(QStringLiteral("PaintBox1"));

    frameTimer_.setInterval(timing_.frameMilliseconds);
    connect(&frameTimer_, &QTimer::timeout, this, [this] { NextFrame(); });

    FormCreate();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

void AboutWindow::FormCreate() {
    setWindowTitle(windowTitle() + Version());
    version_->setText(QText(texts::kVersionPrefix) + Version());
    version_->setGeometry(56, 88, 246, version_->sizeHint().height());
    historyLines_.clear();
    for (const std::string_view line : kHistoryLines)
        historyLines_.append(QText(line));
}

void AboutWindow::Button1Click() {
    if (animating_) return;  // a running history is not started again
    animating_ = true;
    panel1_->setGeometry(rect());
    paintBox1_->setGeometry(panel1_->contentsRect());
    panel1_->show();
    panel1_->raise();

    const int width = std::max(1, paintBox1_->width());
    const int height = std::max(1, paintBox1_->height());
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
    paintBox1_->SetFrame(frame_);
}

void AboutWindow::EndAnimation() {
    panel1_->hide();
    frame_ = QImage();
    paintBox1_->SetFrame(frame_);
    animating_ = false;
}

QString AboutWindow::MailLink() const {
    const QString subject = windowTitle().left(kSubjectLength);
    return QStringLiteral("mailto:") + QText(texts::kContactAddress) + QStringLiteral("?subject=") +
           subject;
}

void AboutWindow::Label3Click() {
    if (!shell_.OpenUrl(QUrl(MailLink(), QUrl::TolerantMode))) {
        dialogs_.ShowYesWarning(AppText(texts::kNoMailProgram), AppText(texts::kWarningCaption));
    }
}

}  // namespace app
