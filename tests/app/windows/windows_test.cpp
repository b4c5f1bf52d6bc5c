// The windows under Qt's offscreen platform: start-up, menus and their enabling, the resize
// rule, import and draw through the menu, the settings switch, help documents, the about window.
// With TOMBAGE_GRAB_DIR set, the windows are also saved as PNG pictures there, to be looked at.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <deque>
#include <memory>

#include "app/logic/app_texts.h"
#include "app/logic/globals.h"
#include "app/logic/history_animation.h"
#include "app/logic/program_dialogs.h"
#include "app/logic/results_file.h"
#include "app/windows/about_window.h"
#include "app/windows/main_window.h"
#include "app/windows/qt_pacer.h"
#include "app/windows/qt_program_dialogs.h"
#include "report/core/base/engine_stream.h"
#include "report/core/engine/engine.h"
#include "report/core/file/template_reader.h"
#include "report/core/file/template_writer.h"
#include "report/core/model/band_view.h"
#include "report/core/model/report.h"
#include "report/core/output/preview_controller.h"
#include "report/core/value/date_time.h"
#include "report/ui/preview_window.h"
#include "tests/app/logic/test_support.h"
#include "tests/app/windows/fake_services.h"

namespace {

using app_test::FakeDialogs;
using app_test::FakeShell;
using app_test::FixedClock;
using app_test::InstantPacer;
using app_test::ReadFile;
using app_test::TemporaryFolder;
using app_test::WriteFile;

std::string Utf8(const QString& text) {
    return text.toStdString();
}

void Grab(QWidget& widget, const char* name) {
    const QByteArray folder = qgetenv("TOMBAGE_GRAB_DIR");
    if (folder.isEmpty()) return;
    widget.grab().save(QString::fromUtf8(folder) + QLatin1Char('/') + QLatin1String(name));
}

class WindowsTest : public ::testing::Test {
  protected:
    // The fixture's services with the given pacer, without an update check.
    app::MainWindowServices Services(app::Pacer& pacerToUse) {
        app::MainWindowServices services;
        services.dialogs = &dialogs;
        services.shell = &shell;
        services.pacer = &pacerToUse;
        services.clock = &clock;
        services.programFolder = folder.Path();
        services.engine = &engine;
        return services;
    }

    std::unique_ptr<app::MainWindow> Start() {
        app::MainWindowServices services = Services(pacer);
        services.updateCheck = [this](const std::string& site) { checkedSites.push_back(site); };
        return std::make_unique<app::MainWindow>(services);
    }

    std::string Cell(app::MainWindow& window, int column, int row) {
        return window.GridModel().Cell(column, row);
    }

    report::Engine engine{nullptr};  // the virtual printer
    TemporaryFolder folder;
    FakeDialogs dialogs;
    FakeShell shell;
    InstantPacer pacer;
    FixedClock clock;
    std::vector<std::string> checkedSites;  // one entry per update check run at start-up
};

TEST_F(WindowsTest, FirstStartWithoutResultsFileThenImportAndDraw) {
    auto window = Start();
    // The missing results file is reported once, by its full path; start-up went on.
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text,
              "Impossible d'ouvrir le fichier " + folder.File("tombage.DBP"));
    EXPECT_EQ(dialogs.messages[0].caption, "Tombage");
    EXPECT_EQ(Utf8(window->windowTitle()), "Tombage au sort intégral version 2.22.02");
    EXPECT_EQ(app::ProgramFolder(), folder.Path());
    EXPECT_EQ(window->GridModel().RowCount(), 50);
    EXPECT_EQ(Cell(*window, 0, 0), "Equipe recevante");
    EXPECT_EQ(Cell(*window, 1, 0), "Equipe visiteuse");
    EXPECT_EQ(Cell(*window, 2, 0), "");
    EXPECT_FALSE(window->DrawMenuAction()->isEnabled());

    // Chargement: the dialog opens on the program folder; the confirmation shows once.
    WriteFile(folder.File("equipes.CSV"), "Nantes;44\r\nSaint-\xC9tienne;42\r\nLyon;69\r\n");
    dialogs.choices.push_back(folder.File("equipes.CSV"));
    window->LoadAction()->trigger();
    EXPECT_EQ(dialogs.chooserFolders, std::vector<std::string>{folder.Path()});
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[1].text,
              "Les donn\xE9"
              "es ont bien \xE9t\xE9 charg\xE9s\n\n   Vous pouvez faire le tombage\n\n"
              "   Par le menu \"Nouveau Tombage\"\n");
    EXPECT_EQ(dialogs.messages[1].caption, "");
    EXPECT_EQ(dialogs.messages[1].flags, report::mb::kOkCancel);
    EXPECT_TRUE(window->DrawMenuAction()->isEnabled());
    EXPECT_EQ(window->TeamList().size(), 3u);

    window->Random().SetSeed(12345);
    window->RepechageAction()->trigger();
    EXPECT_FALSE(window->DrawMenuAction()->isEnabled());
    EXPECT_TRUE(window->TeamList().empty());
    EXPECT_EQ(window->GridModel().RowCount(), 3);
    EXPECT_EQ(Cell(*window, 2, 1), "01A");
    EXPECT_EQ(Cell(*window, 2, 2), "01B");
    EXPECT_EQ(Cell(*window, 1, 2), "0");
    EXPECT_EQ(dialogs.messages.size(), 2u);
    const std::string file = ReadFile(folder.File("tombage.DBP"));
    EXPECT_TRUE(file.ends_with(";;01B;\r\n")) << file;

    // Accents reach the widget as Unicode, and the grid's cells are what a screen reader reads.
    bool found = false;
    for (int row = 0; row < window->Grid()->rowCount(); ++row) {
        for (int column = 0; column < 2; ++column) {
            const QTableWidgetItem* item = window->Grid()->item(row, column);
            if (item != nullptr && item->text() == QStringLiteral("Saint-Étienne")) found = true;
        }
    }
    EXPECT_TRUE(found);
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(window->Grid());
    ASSERT_NE(table, nullptr);
    ASSERT_NE(table->tableInterface(), nullptr);
    QAccessibleInterface* label = table->tableInterface()->cellAt(0, 2);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(QAccessible::Name), QStringLiteral("01A"));
    EXPECT_EQ(table->tableInterface()->columnDescription(1), QStringLiteral("Equipe visiteuse"));

    window->show();
    Grab(*window, "main_window_after_draw.png");

    // After a restart the grid shows the last draw.
    window.reset();
    dialogs.messages.clear();
    auto restarted = Start();
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(restarted->GridModel().RowCount(), 3);
    EXPECT_EQ(Cell(*restarted, 1, 2), "0");
    EXPECT_EQ(ReadFile(folder.File("tombage.DBP")), file);
}

TEST_F(WindowsTest, MenuTree) {
    WriteFile(folder.File("tombage.DBP"), "");
    auto window = Start();
    std::vector<std::string> bar;
    for (QAction* action : window->menuBar()->actions())
        bar.push_back(Utf8(action->text()));
    EXPECT_EQ(bar, (std::vector<std::string>{"Nouveau Tombage", "Impression", "Aides", "Quitter"}));
    const QList<QAction*> top = window->menuBar()->actions();
    EXPECT_EQ(top[1]->menu(), nullptr);  // commands of the bar itself
    EXPECT_EQ(top[3]->menu(), nullptr);
    std::vector<std::string> first;
    for (QAction* action : top[0]->menu()->actions()) {
        first.push_back(action->isSeparator() ? "-" : Utf8(action->text()));
    }
    EXPECT_EQ(first,
              (std::vector<std::string>{"Chargement", "Tombage au sort intégral", "-", "Aide"}));
    std::vector<std::string> draw;
    for (QAction* action : window->DrawMenuAction()->menu()->actions()) {
        draw.push_back(Utf8(action->text()));
        EXPECT_TRUE(action->isEnabled());
    }
    EXPECT_EQ(draw, (std::vector<std::string>{"Matchs avec repêchages", "Martchs sans repêchage"}));
    std::vector<std::string> helps;
    for (QAction* action : top[2]->menu()->actions())
        helps.push_back(Utf8(action->text()));
    EXPECT_EQ(helps, (std::vector<std::string>{"A propos", "Aide générale",
                                               "Ne pas vérifier la mise à jour"}));
    EXPECT_FALSE(window->DrawMenuAction()->isEnabled());
    for (QAction* action :
         {window->LoadAction(), window->PrintAction(), window->LoadingHelpAction(),
          window->AboutAction(), window->GeneralHelpAction(), window->NoUpdateCheckAction(),
          window->QuitAction()}) {
        EXPECT_TRUE(action->isEnabled()) << Utf8(action->text());
    }
    EXPECT_TRUE(window->NoUpdateCheckAction()->isCheckable());
    EXPECT_FALSE(window->NoUpdateCheckAction()->isChecked());
    // An empty results file: only the header row.
    EXPECT_EQ(window->GridModel().RowCount(), 1);
    EXPECT_TRUE(dialogs.messages.empty());
    // "Impression" before any draw does no harm.
    window->PrintAction()->trigger();
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(WindowsTest, ResizeRule) {
    auto window = Start();
    window->show();
    QApplication::processEvents();
    // 500 x 500 is the outer size, frame included.
    EXPECT_EQ(window->frameGeometry().size(), QSize(500, 500));
    const int frameWidth = window->frameGeometry().width() - window->width();
    struct Case {
        int width, column;
    };
    for (const Case c : {Case{500, 210}, Case{501, 210}, Case{502, 211}, Case{800, 360}}) {
        SCOPED_TRACE(c.width);
        EXPECT_EQ(app::DefaultColumnWidth(c.width), c.column);
        window->resize(c.width - frameWidth, 500);  // the outer width is c.width
        QApplication::processEvents();
        EXPECT_EQ(window->Grid()->columnWidth(0), c.column);
        EXPECT_EQ(window->Grid()->columnWidth(1), c.column);
        EXPECT_EQ(window->Grid()->columnWidth(2), 40);
        EXPECT_EQ(window->Grid()->rowHeight(0), 30);
        EXPECT_EQ(window->Grid()->horizontalHeader()->height(), 30);
    }
    EXPECT_EQ(window->Grid()->font().pixelSize(), 21);
}

TEST_F(WindowsTest, ImportOutcomes) {
    WriteFile(folder.File("tombage.DBP"), "");
    auto window = Start();
    // Cancelled dialog: nothing changes, nothing shown.
    window->LoadTeams();
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_FALSE(window->DrawMenuAction()->isEnabled());

    WriteFile(folder.File("a.csv"), "Nantes\r\n");
    dialogs.choices.push_back(folder.File("a.csv"));
    window->LoadTeams();
    EXPECT_TRUE(window->DrawMenuAction()->isEnabled());
    EXPECT_EQ(dialogs.messages.size(), 1u);

    // A row start too close to the end: error box, names so far kept, submenu as it was.
    const std::string rowStart(app::kRowStartMarkerA);
    WriteFile(folder.File("groupe.htm"), "<h2>Liste des \xC3\xA9quipes du groupe</h2>\n" +
                                             rowStart + "\n1\n2\n3\n4\n5\nBrest\n" + rowStart +
                                             "\n1\n2\n");
    dialogs.choices.push_back(folder.File("groupe.htm"));
    window->LoadTeams();
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[1].text, "Indice de liste hors limites (14)");
    EXPECT_EQ(window->TeamList(), app::TeamNames{"Brest"});
    EXPECT_TRUE(window->DrawMenuAction()->isEnabled());

    // A page without the group-list marker: no team, submenu off, no message.
    WriteFile(folder.File("autre.html"), rowStart + "\n1\n2\n3\n4\n5\nBrest\n");
    dialogs.choices.push_back(folder.File("autre.html"));
    window->LoadTeams();
    EXPECT_EQ(dialogs.messages.size(), 2u);
    EXPECT_TRUE(window->TeamList().empty());
    EXPECT_FALSE(window->DrawMenuAction()->isEnabled());

    // An unreadable file: error box, list and submenu unchanged.
    dialogs.choices.push_back(folder.File("absent.csv"));
    window->LoadTeams();
    ASSERT_EQ(dialogs.messages.size(), 3u);
    EXPECT_EQ(dialogs.messages[2].text,
              "Impossible d'ouvrir le fichier " + folder.File("absent.csv"));
    EXPECT_FALSE(window->DrawMenuAction()->isEnabled());
}

TEST_F(WindowsTest, CommandsDuringADrawAreIgnoredAndQuittingWaits) {
    WriteFile(folder.File("tombage.DBP"), "");
    WriteFile(folder.File("a.csv"), "A\nB\nC\nD\nE\nF\n");
    auto window = Start();
    window->show();
    dialogs.choices.push_back(folder.File("a.csv"));
    window->LoadTeams();
    ASSERT_TRUE(window->DrawMenuAction()->isEnabled());
    dialogs.choices.push_back(folder.File("a.csv"));  // would be taken by a second import
    int calls = 0;
    pacer.onProcessEvents = [&] {
        if (++calls != 2) return;
        EXPECT_TRUE(window->IsDrawRunning());
        window->LoadTeams();
        window->DrawMatches(app::DrawMode::dmRepechage);
        window->PrintDraw();
        window->QuitAction()->trigger();
        EXPECT_TRUE(window->isVisible());
    };
    window->PlainAction()->trigger();
    EXPECT_EQ(calls, 6);
    EXPECT_EQ(dialogs.chooserFolders.size(), 1u);
    EXPECT_FALSE(window->IsDrawRunning());
    EXPECT_EQ(window->GridModel().RowCount(), 4);
    EXPECT_EQ(Cell(*window, 2, 3), "003");
    EXPECT_FALSE(window->isVisible());  // the quit asked during the draw took effect after it
}

// A template the engine refuses shows the error box, and the program goes on: the next print
// with a sound template shows the draw.
TEST_F(WindowsTest, ATemplateWithAnErrorShowsTheErrorBoxAndTheNextPrintWorks) {
    WriteFile(folder.File("a.csv"), "Nantes\nLyon\nBrest\nRennes\n");
    const std::string sound =
        qEnvironmentVariable("TOMBAGE_BINARY_DIR").toStdString() + "/tombage/Tombage.etf";
    auto window = Start();
    window->show();
    dialogs.choices.push_back(folder.File("a.csv"));
    window->LoadTeams();
    window->PlainAction()->trigger();
    dialogs.messages.clear();

    // The master band counts "3x" records.
    {
        report::Report broken(engine.Model());
        report::EngineStream in = report::EngineStream::FromFile(sound);
        report::ReadTemplate(broken, in);
        for (const auto& object : broken.pages[0].Objects()) {
            auto* band = dynamic_cast<report::BandView*>(object.get());
            if (band != nullptr && band->GetBandType() == report::BandType::MasterData)
                band->formatPattern = "3x";
        }
        report::EngineStream out;
        report::WriteTemplate(broken, out, report::TemplateWriteOptions{true});
        out.SaveToFile(folder.File("Tombage.etf"));
    }
    int shown = 0;
    window->onPreviewShown = [&](report::PreviewWindow& preview) {
        ++shown;
        QTimer::singleShot(0, &preview, [&preview] { preview.accept(); });
    };
    window->PrintAction()->trigger();
    EXPECT_EQ(shown, 0);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_NE(dialogs.messages[0].text.find("3x"), std::string::npos) << dialogs.messages[0].text;
    EXPECT_TRUE(window->isVisible());

    WriteFile(folder.File("Tombage.etf"), ReadFile(sound));
    dialogs.messages.clear();
    window->PrintAction()->trigger();
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(WindowsTest, ImpressionShowsTheDrawInThePreview) {
    WriteFile(folder.File("a.csv"),
              "Nantes\nLyon\nBrest\nRennes\nNice\nLens\nMetz\nCaen\nTours\nNancy\n");
    const std::string etf =
        ReadFile(qEnvironmentVariable("TOMBAGE_BINARY_DIR").toStdString() + "/tombage/Tombage.etf");
    ASSERT_FALSE(etf.empty());
    WriteFile(folder.File("Tombage.etf"), etf);
    auto window = Start();
    dialogs.messages.clear();  // the missing results file of the first start
    dialogs.choices.push_back(folder.File("a.csv"));
    window->LoadTeams();
    window->PlainAction()->trigger();
    ASSERT_EQ(window->GridModel().RowCount(), 6);  // five matches
    const std::string receiving = Cell(*window, 0, 3);
    const std::string visiting = Cell(*window, 1, 5);
    dialogs.messages.clear();

    struct Case {
        const char* what;
        bool templateInFolder;
    };
    for (const Case c : {Case{"with Tombage.etf", true}, Case{"Tombage.etf removed", false}}) {
        SCOPED_TRACE(c.what);
        if (!c.templateInFolder) {
            ASSERT_TRUE(QFile::remove(QString::fromStdString(folder.File("Tombage.etf"))));
        }
        int shown = 0, pages = 0;
        std::vector<bool> found;
        window->onPreviewShown = [&](report::PreviewWindow& preview) {
            ++shown;
            pages = preview.Controller().PageCount();
            for (const std::string& team : {receiving, visiting, std::string("Marseille")})
                found.push_back(preview.Controller().StartSearch(team, true, true) ==
                                report::SearchOutcome::Found);
            Grab(preview, "preview_of_the_draw.png");
            // Closed from the event loop, as the user closes it.
            QTimer::singleShot(0, &preview, [&preview] { preview.accept(); });
        };
        window->PrintAction()->trigger();
        EXPECT_EQ(shown, 1);
        EXPECT_EQ(pages, 1);
        EXPECT_EQ(found, (std::vector<bool>{true, true, false}));
        EXPECT_TRUE(dialogs.messages.empty());
        EXPECT_EQ(window->GridModel().RowCount(), 6);  // printing leaves the grid as it was
    }
}

TEST_F(WindowsTest, FailedSaveLeavesTheDrawAsDrawn) {
    // A folder where the results file should be: it can be neither read nor replaced.
    std::filesystem::create_directory(folder.File("tombage.DBP"));
    WriteFile(folder.File("a.csv"), "A\nB\nC\n");
    auto window = Start();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    dialogs.choices.push_back(folder.File("a.csv"));
    window->LoadTeams();
    window->PlainAction()->trigger();
    ASSERT_EQ(dialogs.messages.size(), 3u);
    EXPECT_EQ(dialogs.messages[2].text,
              "Impossible de cr\xE9"
              "er le fichier " +
                  folder.File("tombage.DBP"));
    EXPECT_EQ(window->GridModel().RowCount(), 3);
    EXPECT_EQ(Cell(*window, 1, 2), "");
    EXPECT_TRUE(window->DrawMenuAction()->isEnabled());
    EXPECT_TRUE(window->TeamList().empty());
    // A draw with nothing left to pick does nothing.
    window->RepechageAction()->trigger();
    EXPECT_EQ(dialogs.messages.size(), 3u);
    EXPECT_EQ(Cell(*window, 2, 1), "001");
}

TEST_F(WindowsTest, UpdateCheckSwitchAndItsExpiry) {
    WriteFile(folder.File("tombage.DBP"), "");
    clock.today = report::EncodeDate(2022, 4, 14);
    WriteFile(folder.File("Tombage.ini"), "[MiseAjour]\r\nDate=15/03/2022\r\nNoValide=1\r\n");
    {
        auto window = Start();
        EXPECT_TRUE(window->NoUpdateCheckAction()->isChecked());
        EXPECT_EQ(window->NoCheckDate(), report::EncodeDate(2022, 3, 15));
    }
    clock.today += 1;
    {
        auto window = Start();
        EXPECT_FALSE(window->NoUpdateCheckAction()->isChecked());
        EXPECT_EQ(ReadFile(folder.File("Tombage.ini")),
                  "[MiseAjour]\r\nDate=15/03/2022\r\nNoValide=0\r\n");
        window->NoUpdateCheckAction()->trigger();
        EXPECT_TRUE(window->NoUpdateCheckAction()->isChecked());
        EXPECT_EQ(ReadFile(folder.File("Tombage.ini")),
                  "[MiseAjour]\r\nDate=15/04/2022\r\nNoValide=1\r\n");
        window->NoUpdateCheckAction()->trigger();
        EXPECT_FALSE(window->NoUpdateCheckAction()->isChecked());
        EXPECT_EQ(ReadFile(folder.File("Tombage.ini")),
                  "[MiseAjour]\r\nDate=15/04/2022\r\nNoValide=0\r\n");
    }
    EXPECT_TRUE(dialogs.messages.empty());
    // A settings file that cannot be written: the error names it; the mark stays off.
    std::filesystem::remove(folder.File("Tombage.ini"));
    std::filesystem::create_directory(folder.File("Tombage.ini"));
    auto window = Start();
    window->NoUpdateCheckAction()->trigger();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text,
              "Impossible d'\xE9"
              "crire dans " +
                  folder.File("Tombage.ini"));
    EXPECT_FALSE(window->NoUpdateCheckAction()->isChecked());
}

// The update check runs at start-up with the site of the settings file, before the results file
// is read, and not at all while the user has switched it off.
TEST_F(WindowsTest, UpdateCheckRunsWithTheSiteOfTheSettingsUnlessSwitchedOff) {
    WriteFile(folder.File("tombage.DBP"), "");
    Start();
    EXPECT_EQ(checkedSites, std::vector<std::string>{""});

    checkedSites.clear();
    WriteFile(folder.File("Tombage.ini"), "[MiseAjour]\r\nSite=http://127.0.0.1:8080\r\n");
    Start();
    EXPECT_EQ(checkedSites, std::vector<std::string>{"http://127.0.0.1:8080"});

    checkedSites.clear();
    WriteFile(folder.File("Tombage.ini"),
              "[MiseAjour]\r\nDate=15/03/2022\r\nNoValide=1\r\nSite=http://127.0.0.1:8080\r\n");
    Start();
    EXPECT_TRUE(checkedSites.empty());
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(WindowsTest, HelpDocuments) {
    WriteFile(folder.File("tombage.DBP"), "");
    auto window = Start();
    shell.answer = false;  // no reader: still no message
    window->LoadingHelpAction()->trigger();
    window->GeneralHelpAction()->trigger();
    ASSERT_EQ(shell.urls.size(), 2u);
    EXPECT_EQ(shell.urls[0],
              QUrl::fromLocalFile(QString::fromStdString(folder.File("Chargement.pdf"))));
    EXPECT_EQ(shell.urls[1],
              QUrl::fromLocalFile(QString::fromStdString(folder.File("Tombage.pdf"))));
    EXPECT_TRUE(dialogs.messages.empty());
}

// The real pacing: the window goes on handling events through each pause of a draw.
TEST_F(WindowsTest, RealPacingKeepsTheWindowAliveAndQuitWaits) {
    WriteFile(folder.File("tombage.DBP"), "");
    WriteFile(folder.File("a.csv"), "Nantes\nBrest\n");
    app::QtPacer realPacer;
    app::MainWindow window(Services(realPacer));
    window.show();
    dialogs.choices.push_back(folder.File("a.csv"));
    window.LoadTeams();
    dialogs.choices.push_back(folder.File("a.csv"));
    std::vector<std::string> seenDuringPause;
    QTimer::singleShot(500, &window, [&] {
        seenDuringPause.push_back(window.GridModel().Cell(0, 1));
        window.LoadTeams();  // ignored
        window.close();      // waits for the draw
    });
    QTimer::singleShot(2500, &window,
                       [&] { seenDuringPause.push_back(window.GridModel().Cell(0, 1)); });
    window.PlainAction()->trigger();
    ASSERT_EQ(seenDuringPause.size(), 2u);
    EXPECT_EQ(seenDuringPause[0], "");  // first pause: nothing placed yet
    EXPECT_NE(seenDuringPause[1], "");  // second pause: the first team is in
    EXPECT_EQ(dialogs.chooserFolders.size(), 1u);
    EXPECT_EQ(window.GridModel().RowCount(), 2);
    EXPECT_FALSE(window.isVisible());
}

TEST(HistoryAnimationTest, FramesAndPositions) {
    const app::HistoryAnimation tall(18, 16, 168);
    EXPECT_EQ(tall.Total(), 288);
    EXPECT_EQ(tall.LineTop(1, 1), 167);
    EXPECT_EQ(tall.LineTop(18, 288), 168 - 16);  // ends with the last line at the bottom
    const app::HistoryAnimation shortText(6, 16, 168);
    EXPECT_EQ(shortText.Total(), 168);
    EXPECT_EQ(shortText.LineTop(1, 168), 0);  // ends with the first line at the top
    EXPECT_EQ(app::kHistoryLines.size(), 18u);
    EXPECT_EQ(app::kHistoryLines[11], "            Poule de 2               Poule de 4");
    EXPECT_EQ(app::kHistoryLines[2], "    de Comité de la  Coupe de France 2016");
}

TEST_F(WindowsTest, AboutWindow) {
    WriteFile(folder.File("tombage.DBP"), "");
    auto window = Start();
    auto* about = new app::AboutWindow(dialogs, shell, window.get(), app::HistoryTiming{1, 1});
    window->SetAboutWindow(about);
    EXPECT_FALSE(about->isVisible());
    EXPECT_EQ(Utf8(about->windowTitle()), "A propos Tombage au Sort 2.22.02");
    EXPECT_EQ(about->size(), QSize(323, 184));
    EXPECT_EQ(about->HistoryLines().size(), 18);
    window->AboutAction()->trigger();
    EXPECT_TRUE(about->isVisible());

    // The mail link: the whole caption as subject; a warning when nothing opens it.
    EXPECT_EQ(
        about->MailLink(),
        QStringLiteral("mailto:tombage@example.org?subject=A propos Tombage au Sort 2.22.02"));
    about->OpenMailLink();
    EXPECT_TRUE(dialogs.warnings.empty());
    shell.answer = false;
    about->OpenMailLink();
    ASSERT_EQ(dialogs.warnings.size(), 1u);
    EXPECT_EQ(dialogs.warnings[0].text,
              "Le courier \xE9lectronique par d\xE9"
              "faut\r\rn'est pas install\xE9 correctement");
    EXPECT_EQ(dialogs.warnings[0].caption, "Avertissement");
    EXPECT_EQ(shell.urls.size(), 2u);
    EXPECT_EQ(shell.urls[0].scheme(), QStringLiteral("mailto"));
    EXPECT_EQ(about->MailLinkLabel()->cursor().shape(), Qt::PointingHandCursor);

    // "Historique": the stage covers the window, a second click is ignored, then it hides.
    QTest::mouseClick(about->HistoryButton(), Qt::LeftButton);
    EXPECT_TRUE(about->IsAnimating());
    EXPECT_TRUE(about->HistoryStage()->isVisible());
    EXPECT_EQ(about->HistoryStage()->geometry(), about->rect());
    EXPECT_TRUE(QTest::qWaitFor([&] { return about->Step() >= 150; }, 20000));
    Grab(*about, "about_window_history.png");
    about->PlayHistory();  // ignored: the animation goes on
    EXPECT_TRUE(QTest::qWaitFor([&] { return !about->IsAnimating(); }, 20000));
    EXPECT_FALSE(about->HistoryStage()->isVisible());
    Grab(*about, "about_window.png");
    about->close();
    EXPECT_FALSE(about->isVisible());
    window->AboutAction()->trigger();
    EXPECT_TRUE(about->isVisible());
}

// The real boxes: what they show and which answer each button gives. Texts that look like markup
// (a file named "<b>x.csv", an "&") are shown as they are.
TEST(QtProgramDialogsTest, BoxesShowPlainTextAndAnswer) {
    struct Seen {
        QString caption, text;
        Qt::TextFormat format = Qt::AutoText;
        QStringList buttons;
    };
    // Reads the box that is open, then presses the button with the given caption.
    auto answerWith = [](Seen& seen, const QString& press) {
        QTimer::singleShot(0, [&seen, press] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            seen.caption = box->windowTitle();
            const auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
            ASSERT_NE(label, nullptr);
            seen.text = label->text();
            seen.format = label->textFormat();
            for (QAbstractButton* button : box->buttons())
                seen.buttons.append(button->text());
            for (QAbstractButton* button : box->buttons()) {
                if (button->text() == press) button->click();
            }
        });
    };
    app::QtProgramDialogs dialogs;
    const std::string path = "Impossible d'ouvrir le fichier /tmp/<b>Poule</b> & co.csv";
    struct Case {
        int flags;
        QString press;
        int answer;
        QStringList buttons;
    };
    const Case cases[] = {
        {report::mb::kOk | report::mb::kIconError,
         QStringLiteral("OK"),
         report::mr::kOk,
         {QStringLiteral("OK")}},
        {report::mb::kOkCancel,
         QStringLiteral("Annuler"),
         report::mr::kCancel,
         {QStringLiteral("OK"), QStringLiteral("Annuler")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.flags);
        Seen seen;
        answerWith(seen, c.press);
        EXPECT_EQ(dialogs.ShowMessage(path, "Tombage", c.flags), c.answer);
        EXPECT_EQ(seen.caption, QStringLiteral("Tombage"));
        EXPECT_EQ(seen.text, QString::fromStdString(path));
        EXPECT_EQ(seen.format, Qt::PlainText);
        EXPECT_EQ(seen.buttons, c.buttons);
    }
    // The warning breaks its lines at CR.
    Seen seen;
    answerWith(seen, QStringLiteral("&Oui"));
    dialogs.ShowYesWarning("<i>a</i>\r\rb", "Avertissement");
    EXPECT_EQ(seen.text, QStringLiteral("<i>a</i>\n\nb"));
    EXPECT_EQ(seen.format, Qt::PlainText);
    EXPECT_EQ(seen.buttons, QStringList{QStringLiteral("&Oui")});
}

}  // namespace

// The widgets need one application object for the whole run, made before any test and
// destroyed after the last.
int main(int argc, char** argv) {
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
