#include "report/ui/print_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QToolButton>
#include <functional>

#include "report/core/base/engine_strings.h"
#include "report/core/base/errors.h"
#include "report/core/printer/printer_layer.h"
#include "report/qt/qt_print_service.h"
#include "report/qt/qt_text.h"
#include "report/ui/printer_properties_dialog.h"

namespace report {

namespace {

QString Text(const char* key) {
    return ToQString(EngineText(key));
}

// The printer of the list: a small printer, 18 x 16.
QPixmap PrinterPicture() {
    QPixmap picture(18, 16);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawRect(5, 1, 8, 5);  // paper
    p.setBrush(QColor(192, 192, 192));
    p.drawRect(1, 6, 15, 6);  // body
    p.setBrush(QColor(128, 128, 128));
    p.drawRect(3, 12, 11, 2);  // tray
    p.fillRect(13, 8, 2, 1, QColor(0, 160, 0));
    return picture;
}

// Sheets numbered `numbers`, each offset by (dx, dy) from the one before.
void DrawSheets(QPainter& p, int x, int y, const QString& numbers, int dx, int dy) {
    for (int i = 0; i < numbers.size(); ++i) {
        const QRect sheet(x + i * dx, y + i * dy, 18, 24);
        p.setPen(Qt::black);
        p.setBrush(Qt::white);
        p.drawRect(sheet);
        p.drawText(sheet, Qt::AlignCenter, numbers.mid(i, 1));
    }
}

// Collated: two sets 1-2-3 (74 x 53). Uncollated: 1-1, 2-2, 3-3 (92 x 40).
QPixmap CollatePicture(bool collated) {
    QPixmap picture = collated ? QPixmap(74, 53) : QPixmap(92, 40);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    QFont font = p.font();
    font.setPixelSize(9);
    p.setFont(font);
    if (collated) {
        DrawSheets(p, 0, 0, "123", 8, 12);
        DrawSheets(p, 36, 0, "123", 8, 12);
    } else {
        DrawSheets(p, 0, 0, "11", 6, 8);
        DrawSheets(p, 32, 0, "22", 6, 8);
        DrawSheets(p, 64, 0, "33", 6, 8);
    }
    return picture;
}

class CollatePictureBox : public QWidget {
  public:
    CollatePictureBox(std::function<bool()> collated, QWidget* parent)
        : QWidget(parent), collated_(std::move(collated)) {}

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), palette().color(QPalette::Button));
        if (collated_()) {
            p.drawPixmap(8, 0, CollatePicture(true));
        } else {
            p.drawPixmap(0, 8, CollatePicture(false));
        }
    }

  private:
    std::function<bool()> collated_;
};

// A label that acts on click and double-click (the collate box's caption).
class ClickLabel : public QLabel {
  public:
    ClickLabel(const QString& text, std::function<void()> onClick, QWidget* parent)
        : QLabel(text, parent), onClick_(std::move(onClick)) {}

  protected:
    void mousePressEvent(QMouseEvent*) override { onClick_(); }
    void mouseDoubleClickEvent(QMouseEvent*) override { onClick_(); }

  private:
    std::function<void()> onClick_;
};

// Calls `onFocus` when the watched widget gets the focus.
class FocusWatcher : public QObject {
  public:
    FocusWatcher(std::function<void()> onFocus, QObject* parent)
        : QObject(parent), onFocus_(std::move(onFocus)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusIn) onFocus_();
        return QObject::eventFilter(watched, event);
    }

  private:
    std::function<void()> onFocus_;
};

template <typename T, typename... Args>
T* Named(const char* name, Args&&... args) {
    T* widget = new T(std::forward<Args>(args)...);
    widget->setObjectName(name);
    return widget;
}

}  // namespace

PrintDialog::PrintDialog(Printer& printer, int32_t defaultCopies, bool defaultCollate,
                         QWidget* parent)
    : QDialog(parent), state_(printer, defaultCopies, defaultCollate) {
    setWindowTitle(Text("print.caption"));
    setFixedSize(485, 226);
    // "Propriétés" opens over this dialog.
    if (auto* service = dynamic_cast<QtPrintService*>(printer.Service()))
        InstallPrinterPropertiesDialog(*service, this);

    auto* printerGroup = Named<QGroupBox>("GroupBox1", Text("print.printer"), this);
    printerGroup->setGeometry(8, 4, 469, 57);
    auto* nameLabel = Named<QLabel>("Label4", Text("print.name"), printerGroup);
    nameLabel->setGeometry(12, 24, 40, 16);
    printers_ = Named<QComboBox>("CB1", printerGroup);
    printers_->setGeometry(56, 20, 308, 24);
    printers_->setIconSize(QSize(18, 16));
    nameLabel->setBuddy(printers_);
    const QIcon printerIcon(PrinterPicture());
    for (const std::string& name : state_.PrinterNames()) {
        printers_->addItem(printerIcon, ToQString(name));
    }
    printers_->setCurrentIndex(state_.SelectedPrinter());
    connect(printers_, &QComboBox::activated, this, [this](int index) {
        state_.ChoosePrinter(index);
        printers_->setCurrentIndex(state_.SelectedPrinter());
    });
    auto* properties = Named<QPushButton>("PropButton", Text("print.properties"), printerGroup);
    properties->setGeometry(374, 19, 85, 25);
    connect(properties, &QPushButton::clicked, this, [this] { state_.ShowProperties(); });

    auto* pagesGroup = Named<QGroupBox>("GroupBox2", Text("print.pages_group"), this);
    pagesGroup->setGeometry(8, 66, 240, 120);
    all_ = Named<QRadioButton>("RB1", Text("print.all"), pagesGroup);
    all_->setGeometry(12, 18, 200, 18);
    current_ = Named<QRadioButton>("RB2", Text("print.current"), pagesGroup);
    current_->setGeometry(12, 38, 200, 18);
    list_ = Named<QRadioButton>("RB3", Text("print.pages"), pagesGroup);
    list_->setGeometry(12, 60, 70, 18);
    pageList_ = Named<QLineEdit>("E2", pagesGroup);
    pageList_->setGeometry(84, 58, 144, 22);
    auto* hint = Named<QLabel>("Label2", Text("print.pages_hint"), pagesGroup);
    hint->setGeometry(12, 82, 220, 34);
    hint->setWordWrap(true);
    connect(all_, &QRadioButton::clicked, this, [this] { state_.SetPages(PageChoice::pcAll); });
    connect(current_, &QRadioButton::clicked, this,
            [this] { state_.SetPages(PageChoice::pcCurrent); });
    connect(list_, &QRadioButton::clicked, this, [this] {
        state_.SetPages(PageChoice::pcList);
        pageList_->setFocus();
    });
    connect(pageList_, &QLineEdit::textEdited, this,
            [this](const QString& text) { state_.SetPageListText(FromQString(text)); });
    pageList_->installEventFilter(new FocusWatcher(
        [this] {
            state_.EnterPageList();
            list_->setChecked(true);
        },
        pageList_));

    auto* copiesGroup = Named<QGroupBox>("GroupBox3", Text("print.copies_group"), this);
    copiesGroup->setGeometry(256, 66, 221, 120);
    auto* copiesLabel = Named<QLabel>("Label1", Text("print.copies"), copiesGroup);
    copiesLabel->setGeometry(12, 22, 116, 16);
    copies_ = Named<QLineEdit>("E1", copiesGroup);
    copies_->setGeometry(130, 18, 44, 22);
    copiesLabel->setBuddy(copies_);
    connect(copies_, &QLineEdit::textEdited, this,
            [this](const QString& text) { state_.SetCopiesText(FromQString(text)); });
    auto* up = Named<QToolButton>("SpeedButton1", copiesGroup);
    up->setArrowType(Qt::UpArrow);
    up->setGeometry(174, 18, 16, 11);
    auto* down = Named<QToolButton>("SpeedButton2", copiesGroup);
    down->setArrowType(Qt::DownArrow);
    down->setGeometry(174, 29, 16, 11);
    connect(up, &QToolButton::clicked, this, [this] { ChangeCopies(true); });
    connect(down, &QToolButton::clicked, this, [this] { ChangeCopies(false); });
    collatePicture_ = new CollatePictureBox([this] { return state_.Collate(); }, copiesGroup);
    collatePicture_->setObjectName("PB1");
    collatePicture_->setGeometry(12, 50, 92, 56);
    collate_ = Named<QCheckBox>("CollateCB", copiesGroup);
    collate_->setGeometry(120, 70, 18, 18);
    auto* collateLabel = new ClickLabel(
        Text("print.collate"), [this] { collate_->click(); }, copiesGroup);
    collateLabel->setObjectName("Label3");
    collateLabel->setGeometry(140, 71, 76, 16);
    collateLabel->setBuddy(collate_);
    connect(collate_, &QCheckBox::clicked, this, [this](bool checked) {
        state_.SetCollate(checked);
        collatePicture_->update();
    });

    auto* parityLabel = Named<QLabel>("Label5", Text("print.parity_label"), this);
    parityLabel->setGeometry(8, 196, parityLabel->sizeHint().width(), 16);
    parity_ = Named<QComboBox>("CB2", this);
    parity_->addItems({Text("print.parity.0"), Text("print.parity.1"), Text("print.parity.2")});
    parity_->setGeometry(parityLabel->geometry().right() + 1 + 11, 192, 170, 24);
    parityLabel->setBuddy(parity_);
    connect(parity_, &QComboBox::currentIndexChanged, this,
            [this](int index) { state_.SetParity(static_cast<uint8_t>(index)); });

    auto* ok = Named<QPushButton>("Button1", Text("print.ok"), this);
    ok->setGeometry(316, 192, 75, 25);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* cancel = Named<QPushButton>("Button2", ToQString(EngineText(text_id::kCancel)), this);
    cancel->setGeometry(400, 192, 75, 25);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    ShowState();
    copies_->setFocus();
    if (QScreen* screen = QApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

void PrintDialog::ShowState() {
    all_->setChecked(state_.Pages() == PageChoice::pcAll);
    current_->setChecked(state_.Pages() == PageChoice::pcCurrent);
    list_->setChecked(state_.Pages() == PageChoice::pcList);
    pageList_->setText(ToQString(state_.PageListText()));
    copies_->setText(ToQString(state_.CopiesText()));
    collate_->setChecked(state_.Collate());
    parity_->setCurrentIndex(state_.Parity());
    collatePicture_->update();
}

void PrintDialog::ChangeCopies(bool up) {
    try {
        up ? state_.CopiesUp() : state_.CopiesDown();
    } catch (const EngineError& e) {
        QMessageBox::critical(this, ToQString(EngineText(text_id::kErrorCaption)),
                              ToQString(e.what()));
    }
    copies_->setText(ToQString(state_.CopiesText()));
}

void PrintDialog::done(int result) {
    state_.Close(result == QDialog::Accepted);
    QDialog::done(result);
}

}  // namespace report
