// The print dialog on the offscreen platform, over a scripted printing system.
#include "report/ui/print_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include "report/core/base/engine_strings.h"
#include "report/core/printer/printer_layer.h"
#include "report/qt/qt_text.h"
#include "tests/report/core/support/fake_print_service.h"

namespace report {
namespace {

// The application lives from the first test to the end of the run; a static one would be
// destroyed after the Qt globals it uses.
class AppEnvironment : public ::testing::Environment {
  public:
    void TearDown() override {
        delete app;
        app = nullptr;
    }
    static QApplication* app;
};
QApplication* AppEnvironment::app = nullptr;

void App() {
    if (AppEnvironment::app != nullptr) return;
    static int argc = 1;
    static char name[] = "print_dialog_test";
    static char* argv[] = {name, nullptr};
    AppEnvironment::app = new QApplication(argc, argv);
    ::testing::AddGlobalTestEnvironment(new AppEnvironment);
}

// A click of the left button in the middle of a widget, as the user makes it.
void Click(QWidget* widget) {
    const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
    QMouseEvent press(QEvent::MouseButtonPress, at, widget->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, widget->mapToGlobal(at), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

// Typing `text` into a widget, key by key.
void Type(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
    }
}

class PrintDialogTest : public ::testing::Test {
  protected:
    testing::FakePrintService service;
    Printer printer;
    std::unique_ptr<PrintDialog> dialog;

    void SetUp() override {
        App();
        service.names = {"Laser", "Jet", "Photo"};
        service.current = 1;
        printer.Start(&service);
        dialog = std::make_unique<PrintDialog>(printer, 2, true);
    }

    template <typename T>
    T* Child(const char* name) {
        T* widget = dialog->findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
};

TEST_F(PrintDialogTest, ShowsTheCaptionsOfTheForm) {
    struct Case {
        const char* name;
        const char* caption;
    };
    const std::vector<Case> cases{
        {"GroupBox1", "Imprimante"},
        {"Label4", "&Nom:"},
        {"PropButton", "Propriétés"},
        {"GroupBox2", "Plusieurs pages"},
        {"RB1", "&Tout"},
        {"RB2", "Pa&ge en cours"},
        {"RB3", "&Pages:"},
        {"Label2", "Tapez les N° de pages et/ou groupe séparés par des virgules. (1,3,5-12)"},
        {"GroupBox3", "Copies"},
        {"Label1", "Nombre de &copies:"},
        {"Label3", "&Assemblées"},
        {"Label5", "&Imprimer"},
        {"Button1", "OK"},
        {"Button2", "Annuler"},
    };
    EXPECT_EQ(dialog->windowTitle(), "Imprimer");
    EXPECT_EQ(dialog->size(), QSize(485, 226));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QWidget* widget = Child<QWidget>(c.name);
        if (widget == nullptr) continue;
        QString text;
        if (auto* label = qobject_cast<QLabel*>(widget)) text = label->text();
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) text = button->text();
        if (auto* group = qobject_cast<QGroupBox*>(widget)) text = group->title();
        EXPECT_EQ(text, QString::fromUtf8(c.caption));
    }
    auto* parity = Child<QComboBox>("CB2");
    ASSERT_EQ(parity->count(), 3);
    EXPECT_EQ(parity->itemText(0), "Pages paires et impaires");
    EXPECT_EQ(parity->itemText(1), "Pages impaires");
    EXPECT_EQ(parity->itemText(2), "Pages paires");
    EXPECT_EQ(parity->currentIndex(), 0);
    EXPECT_EQ(parity->x(), Child<QLabel>("Label5")->geometry().right() + 1 + 11);
    EXPECT_TRUE(Child<QPushButton>("Button1")->isDefault());
}

TEST_F(PrintDialogTest, OpensOnTheCurrentPrinterAndTheReportsDefaults) {
    auto* printers = Child<QComboBox>("CB1");
    ASSERT_EQ(printers->count(), 3);  // not the virtual printer
    EXPECT_EQ(printers->itemText(2), "Photo");
    EXPECT_EQ(printers->currentIndex(), 1);
    EXPECT_FALSE(printers->itemIcon(0).isNull());
    EXPECT_TRUE(Child<QRadioButton>("RB1")->isChecked());
    EXPECT_EQ(Child<QLineEdit>("E1")->text(), "2");
    EXPECT_TRUE(Child<QCheckBox>("CollateCB")->isChecked());
}

TEST_F(PrintDialogTest, TheArrowsChangeTheCopiesButNeverBelowOne) {
    auto* up = Child<QToolButton>("SpeedButton1");
    auto* down = Child<QToolButton>("SpeedButton2");
    auto* copies = Child<QLineEdit>("E1");
    struct Step {
        QToolButton* button;
        const char* copies;
    };
    const std::vector<Step> steps{{up, "3"}, {down, "2"}, {down, "1"}, {down, "1"}, {up, "2"}};
    for (const Step& s : steps) {
        s.button->click();
        EXPECT_EQ(copies->text(), s.copies);
    }
}

TEST_F(PrintDialogTest, TheCollateLabelTogglesTheBox) {
    auto* box = Child<QCheckBox>("CollateCB");
    auto* label = Child<QLabel>("Label3");
    Click(label);
    EXPECT_FALSE(box->isChecked());
    EXPECT_FALSE(dialog->State().Collate());
    Click(label);
    EXPECT_TRUE(dialog->State().Collate());
}

TEST_F(PrintDialogTest, EnteringThePageListChoosesIt) {
    dialog->show();
    auto* list = Child<QLineEdit>("E2");
    list->setFocus();
    QApplication::processEvents();
    EXPECT_TRUE(Child<QRadioButton>("RB3")->isChecked());
    Type(list, "2-5");
    Child<QComboBox>("CB2")->setCurrentIndex(1);
    auto* copies = Child<QLineEdit>("E1");
    copies->selectAll();
    Type(copies, "1");
    const PrintOptions options = dialog->Options(4);
    EXPECT_EQ(options.pageList, "2-5");
    EXPECT_EQ(options.parity, 1);
    EXPECT_EQ(options.copies, 1);
    // The current page of the preview.
    Child<QRadioButton>("RB2")->click();
    EXPECT_EQ(dialog->Options(4).pageList, "4");
    Child<QRadioButton>("RB1")->click();
    EXPECT_EQ(dialog->Options(4).pageList, "");
}

TEST_F(PrintDialogTest, ChoosingAPrinterSelectsItAndCancellingComesBack) {
    auto* printers = Child<QComboBox>("CB1");
    printers->setCurrentIndex(2);
    emit printers->activated(2);
    EXPECT_EQ(printer.SelectedIndex(), 2);
    EXPECT_EQ(service.current, 2);
    dialog->reject();
    EXPECT_EQ(printer.SelectedIndex(), 1);
    EXPECT_EQ(service.current, 1);
}

// A prepared file saved on the virtual printer selects it; the dialog shows the printer that a
// print would use, and cancelling leaves the virtual one selected as it was.
TEST_F(PrintDialogTest, OpensOnThePrinterThatPrintsAfterTheVirtualOne) {
    dialog.reset();
    printer.SelectPrinter(printer.VirtualIndex());
    dialog = std::make_unique<PrintDialog>(printer, 1, true);
    EXPECT_EQ(Child<QComboBox>("CB1")->currentText(), "Jet");
    EXPECT_EQ(printer.SelectedIndex(), 1);
    dialog->reject();
    EXPECT_TRUE(printer.IsVirtualSelected());
}

// Printers added or removed since the program started show when the dialog opens.
TEST_F(PrintDialogTest, ReadsThePrinterListWhenItOpens) {
    dialog.reset();
    service.names = {"Laser", "Jet", "Photo", "Couleur"};
    dialog = std::make_unique<PrintDialog>(printer, 1, true);
    EXPECT_EQ(Child<QComboBox>("CB1")->count(), 4);
    EXPECT_EQ(Child<QComboBox>("CB1")->currentText(), "Jet");
    dialog.reset();
    service.names = {"Laser", "Jet"};
    dialog = std::make_unique<PrintDialog>(printer, 1, true);
    EXPECT_EQ(Child<QComboBox>("CB1")->count(), 2);
}

TEST_F(PrintDialogTest, AcceptingKeepsTheChosenPrinter) {
    emit Child<QComboBox>("CB1")->activated(0);
    dialog->accept();
    EXPECT_EQ(printer.SelectedIndex(), 0);
}

}  // namespace
}  // namespace report
