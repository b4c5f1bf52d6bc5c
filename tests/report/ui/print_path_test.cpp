// The whole print path as a user takes it, on two CUPS PDF printers: the preview of a build, two
// prepared files opened over it, the print dialog driven as clicked (another printer, the
// current page, copies across a change of paper, even pages, the printer's properties), and
// what the spooler received read back with pdftotext.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "report/core/base/dialogs.h"
#include "report/core/data/dataset.h"
#include "report/core/engine/engine.h"
#include "report/core/file/template_file.h"
#include "report/core/model/memo_view.h"
#include "report/core/model/report.h"
#include "report/core/prepared/prepared_file.h"
#include "report/core/prepared/prepared_pages.h"
#include "report/core/printer/printer_layer.h"
#include "report/core/value/date_time.h"
#include "report/qt/qt_print_service.h"
#include "report/ui/preview_window.h"
#include "report/ui/print_dialog.h"
#include "report/ui/printer_properties_dialog.h"
#include "report/ui/report_preview.h"
#include "tests/report/qt/cups_server.h"

namespace report {
namespace {

using testing::CupsServer;
using Labels = std::vector<std::string>;

// Per page of a PDF, its "Fichier X page N", "tirage page N" for a page of the draw (its
// footer), or "blanche".
Labels PageLabels(const std::string& path) {
    Labels labels;
    const std::string text = testing::PdfText(path);
    size_t start = 0;
    while (start < text.size()) {
        size_t feed = text.find('\f', start);
        if (feed == std::string::npos) feed = text.size();
        const std::string page = text.substr(start, feed - start);
        start = feed + 1;
        if (feed == text.size() && page.find_first_not_of(" \n") == std::string::npos) break;
        const size_t at = page.find("Fichier ");
        if (at != std::string::npos) {
            labels.push_back(page.substr(at, page.find_first_of("\n", at) - at));
        } else if (const size_t footer = page.find("Page "); footer != std::string::npos) {
            labels.push_back("tirage page " +
                             page.substr(footer + 5, page.find(' ', footer + 5) - footer - 5));
        } else {
            labels.push_back("blanche");
        }
    }
    return labels;
}

QApplication& App() {
    static int argc = 1;
    static char name[] = "print_path_test";
    static char* argv[] = {name, nullptr};
    // Never destroyed: font caches of other statics outlive it otherwise.
    static QApplication* app = new QApplication(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    return *app;
}

// What the user does in the print dialog once it is open.
struct DialogAnswer {
    std::string printer;  // empty: the one shown
    enum { kAll, kCurrent, kEven } pages = kAll;
    int copies = 1;
    bool collate = true;
    std::function<void(PrinterPropertiesDialog&)> properties = nullptr;  // "Propriétés" first
};

// Answers the next print dialog as `answer` says, then clicks OK; `shown` gets the printer
// the dialog showed on opening.
void AnswerNextDialog(const DialogAnswer& answer, std::string* shown = nullptr) {
    QTimer::singleShot(0, [answer, shown] {
        auto* dialog = dynamic_cast<PrintDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr) << "no print dialog";
        auto* printers = dialog->findChild<QComboBox*>("CB1");
        if (shown != nullptr) *shown = printers->currentText().toStdString();
        if (!answer.printer.empty()) {
            const int index = printers->findText(QString::fromStdString(answer.printer));
            ASSERT_GE(index, 0) << answer.printer;
            printers->setCurrentIndex(index);
            emit printers->activated(index);
        }
        if (answer.properties) {
            QTimer::singleShot(0, [answer] {
                QWidget* open = QApplication::activeModalWidget();
                auto* properties = dynamic_cast<PrinterPropertiesDialog*>(open);
                if (properties == nullptr) {
                    ADD_FAILURE() << "no properties dialog but "
                                  << (open ? open->windowTitle().toStdString() : "nothing");
                    if (auto* other = qobject_cast<QDialog*>(open)) other->reject();
                    return;
                }
                answer.properties(*properties);
                properties->accept();
            });
            dialog->findChild<QPushButton*>("PropButton")->click();
        }
        if (answer.pages == DialogAnswer::kCurrent)
            dialog->findChild<QRadioButton*>("RB2")->click();
        if (answer.pages == DialogAnswer::kEven)
            dialog->findChild<QComboBox*>("CB2")->setCurrentIndex(2);
        auto* copies = dialog->findChild<QLineEdit*>("E1");
        copies->setText(QString::number(answer.copies));
        emit copies->textEdited(copies->text());
        auto* collate = dialog->findChild<QCheckBox*>("CollateCB");
        if (collate->isChecked() != answer.collate) collate->click();
        dialog->findChild<QPushButton*>("Button1")->click();
    });
}

class PrintPathTest : public ::testing::Test {
  protected:
    static CupsServer* cups;

    static void SetUpTestSuite() { cups = new CupsServer; }  // before Qt asks for printers
    static void TearDownTestSuite() {
        delete cups;
        cups = nullptr;
    }

    void SetUp() override {
        App();
        if (!cups->Usable()) GTEST_SKIP() << "CUPS indisponible : " << cups->Problem();
        InstallDialogs(&silent);
        service = std::make_unique<QtPrintService>();
        engine = std::make_unique<Engine>(service.get());
        report = std::make_unique<Report>(engine->Model());
        if (report->State().printer.IndexOfPrinter(CupsServer::kSecondPrinterName) < 0)
            GTEST_SKIP() << "Qt ne voit pas les imprimantes de cupsd";
        dataset.rangeEnd = RangeEnd::reCount;
        dataset.rangeEndCount = 80;  // three pages
        form.Add(dataset);
        report->SetOwnerForm(&form);
        report->dataset = &dataset;
        report->showProgress = false;
        report->onGetValue = [this](const std::string& name, Variant& value) {
            const int record = std::max(dataset.RecordNo(), 0);
            if (name == "joueur1") value = Variant::String("Equipe " + std::to_string(record));
            if (name == "joueur2") value = Variant::String("");
            if (name == "Num") value = Variant::String(std::to_string(record + 1));
            if (name == "Date1" || name == "Heure1")
                value = Variant::DateTime(EncodeDate(2024, 3, 9) + EncodeTime(14, 30, 0, 0));
        };
        const std::string templatePath =
            qEnvironmentVariable("TOMBAGE_BINARY_DIR").toStdString() + "/tombage/Tombage.etf";
        ASSERT_TRUE(LoadTemplateFile(*report, templatePath)) << templatePath;
        ASSERT_TRUE(dir.isValid());
        cups->ClearJobs();
    }
    void TearDown() override { InstallDialogs(nullptr); }

    // A prepared file of pages "Fichier NAME page N" on the given orientations, saved while
    // `printer` is selected (the file names it).
    std::string MakeFile(const std::string& name, const std::vector<uint8_t>& orientations,
                         const std::string& printer) {
        Printer& layer = report->State().printer;
        const int before = layer.SelectedIndex();
        layer.SelectPrinter(layer.IndexOfPrinter(printer));
        PreparedPages pages(*report);
        for (size_t i = 0; i < orientations.size(); ++i) {
            PreparedPage& page = pages.InsertPage(static_cast<int>(i), report->pages[0]);
            page.orientation = orientations[i];
            MemoView memo;
            memo.left = 40;
            memo.top = 40;
            memo.width = 400;
            memo.height = 30;
            memo.font.size = 14;
            memo.memo = {"Fichier " + name + " page " + std::to_string(i + 1)};
            memo.expandedMemo = memo.memo;
            pages.AppendObject(static_cast<int>(i), memo);
        }
        const std::string path = dir.filePath(QString::fromStdString(name) + ".etp").toStdString();
        SavePreparedFile(pages, path);
        layer.SelectPrinter(before);
        return path;
    }

    // The labels of each document spooled since the last look.
    std::vector<Labels> Spooled(size_t documents) {
        std::vector<Labels> labels;
        for (const std::string& document : cups->SpooledDocuments(documents))
            labels.push_back(PageLabels(document));
        return labels;
    }

    SilentDialogs silent;
    std::unique_ptr<QtPrintService> service;
    std::unique_ptr<Engine> engine;
    std::unique_ptr<Report> report;
    ComponentOwner form;
    UserDataset dataset{"userDataset1"};
    QTemporaryDir dir;
};

CupsServer* PrintPathTest::cups = nullptr;

TEST_F(PrintPathTest, WhatThePreviewShowsIsWhatPrints) {
    // File B: page 1 landscape, pages 2 to 4 portrait. File A was saved on the virtual printer.
    const std::string fileA = MakeFile("A", {0, 0}, Printer::VirtualPrinterName());
    const std::string fileB = MakeFile("B", {1, 0, 0, 0}, CupsServer::kPrinterName);
    ReportPreview preview(*report, engine->Core());
    bool ran = false;
    preview.onShown = [&](PreviewWindow& window) {
        ran = true;
        PreviewController& shown = window.Controller();
        ASSERT_GE(shown.PageCount(), 3);
        {
            SCOPED_TRACE("the current page of the draw, rebuilt for another printer");
            shown.SetCurrentPage(2);
            shown.ScrollToCurrentPage();
            AnswerNextDialog({CupsServer::kSecondPrinterName, DialogAnswer::kCurrent});
            preview.Print(window);
            EXPECT_EQ(Spooled(1), std::vector<Labels>({{"tirage page 2"}}));
            EXPECT_EQ(cups->JobPrinters(), Labels{CupsServer::kSecondPrinterName});
            EXPECT_EQ(shown.CurrentPage(), 2) << "the preview went back to another page";
        }
        window.Load(QString::fromStdString(fileA));
        window.Load(QString::fromStdString(fileB));
        ASSERT_EQ(shown.PageCount(), 4);
        Printer& printer = report->State().printer;

        {
            SCOPED_TRACE("another printer prints the file shown, not a new build of the draw");
            cups->ClearJobs();
            AnswerNextDialog({CupsServer::kSecondPrinterName});
            preview.Print(window);
            EXPECT_EQ(shown.PageCount(), 4);
            EXPECT_EQ(Spooled(2), std::vector<Labels>({{"Fichier B page 1"},
                                                       {"Fichier B page 2", "Fichier B page 3",
                                                        "Fichier B page 4"}}));
            EXPECT_EQ(cups->JobPrinters(), Labels(2, CupsServer::kSecondPrinterName));
            EXPECT_EQ(shown.CurrentPage(), 1);
        }
        {
            SCOPED_TRACE("the current page, with a change of printer");
            cups->ClearJobs();
            shown.SetCurrentPage(3);
            shown.ScrollToCurrentPage();
            AnswerNextDialog({CupsServer::kPrinterName, DialogAnswer::kCurrent});
            preview.Print(window);
            EXPECT_EQ(Spooled(1), std::vector<Labels>({{"Fichier B page 3"}}));
            EXPECT_EQ(cups->JobPrinters(), Labels{CupsServer::kPrinterName});
            EXPECT_EQ(shown.CurrentPage(), 3) << "the preview went back to another page";
            EXPECT_EQ(window.PageLabelText(), QStringLiteral("Page 3/4"));
        }
        {
            SCOPED_TRACE("uncollated copies across a change of paper");
            cups->ClearJobs();
            AnswerNextDialog({"", DialogAnswer::kAll, 2, false});
            preview.Print(window);
            EXPECT_EQ(Spooled(2).size(), 2u);
            EXPECT_EQ(cups->JobCopies(), std::vector<int>({2, 2}));
        }
        {
            SCOPED_TRACE("even pages when page 1 has another paper: no blank sheet");
            cups->ClearJobs();
            AnswerNextDialog({"", DialogAnswer::kEven});
            preview.Print(window);
            EXPECT_EQ(Spooled(1), std::vector<Labels>({{"Fichier B page 2", "Fichier B page 4"}}));
        }
        {
            SCOPED_TRACE("a file saved on the virtual printer shows the printer it prints on");
            window.Load(QString::fromStdString(fileA));
            EXPECT_TRUE(printer.IsVirtualSelected());
            cups->ClearJobs();
            std::string shownPrinter;
            AnswerNextDialog({}, &shownPrinter);
            preview.Print(window);
            EXPECT_FALSE(shownPrinter.empty()) << "the dialog showed no printer";
            EXPECT_EQ(Spooled(1), std::vector<Labels>({{"Fichier A page 1", "Fichier A page 2"}}));
            EXPECT_EQ(cups->JobPrinters(), Labels{shownPrinter});
        }
        window.accept();
    };
    EXPECT_TRUE(preview.PreviewReport());
    EXPECT_TRUE(ran);
}

TEST_F(PrintPathTest, ThePrintersPropertiesReachTheJob) {
    if (!std::filesystem::exists(CupsServer::kOptionsPpd))
        GTEST_SKIP() << "pilote d'imprimante avec options absent (paquet cups-filters)";
    const std::string file = MakeFile("C", {0, 0}, CupsServer::kPrinterName);
    PreviewWindow window;
    auto pages = std::make_unique<PreparedPages>(*report);
    OpenPreparedFile(*pages, file);
    ReportPreview preview(*report, engine->Core());
    window.AttachPages(*report, std::move(pages), preview.PrinterAvailable());
    DialogAnswer answer{CupsServer::kSecondPrinterName};
    std::string tray;
    answer.properties = [&tray](PrinterPropertiesDialog& properties) {
        auto* duplex = properties.findChild<QComboBox*>("Duplex");
        ASSERT_NE(duplex, nullptr) << "no double-sided printing offered";
        duplex->setCurrentIndex(duplex->findText("DuplexTumble"));
        auto* trays = properties.findChild<QComboBox*>("InputSlot");
        ASSERT_NE(trays, nullptr) << "no paper tray offered";
        trays->setCurrentIndex(trays->count() - 1);
        tray = trays->currentText().toStdString();
    };
    AnswerNextDialog(answer);
    preview.Print(window);
    ASSERT_EQ(Spooled(1).size(), 1u);
    EXPECT_EQ(cups->JobPrinters(), Labels{CupsServer::kSecondPrinterName});
    EXPECT_EQ(cups->JobAttribute("sides"), Labels{"two-sided-short-edge"});
    EXPECT_EQ(cups->JobAttribute("InputSlot"), Labels{tray});

    // The settings stay for the next print on that printer.
    cups->ClearJobs();
    AnswerNextDialog({});
    preview.Print(window);
    ASSERT_EQ(Spooled(1).size(), 1u);
    EXPECT_EQ(cups->JobAttribute("sides"), Labels{"two-sided-short-edge"});
}

TEST_F(PrintPathTest, ThePrinterListIsReadWhenTheDialogOpens) {
    Printer& printer = report->State().printer;
    auto listed = [&] {
        PrintDialog dialog(printer, 1, true);
        Labels names;
        auto* printers = dialog.findChild<QComboBox*>("CB1");
        for (int i = 0; i < printers->count(); ++i)
            names.push_back(printers->itemText(i).toStdString());
        return names;
    };
    const Labels before = listed();
    ASSERT_TRUE(cups->AddPrinter("TombageAjout"));
    Labels added = listed();
    EXPECT_EQ(added.size(), before.size() + 1);
    EXPECT_NE(std::find(added.begin(), added.end(), "TombageAjout"), added.end());
    ASSERT_TRUE(cups->RemovePrinter("TombageAjout"));
    EXPECT_EQ(listed(), before);
}

}  // namespace
}  // namespace report
