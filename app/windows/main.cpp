#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <csignal>

#include "app/logic/app_texts.h"
#include "app/logic/clock.h"
#include "app/logic/globals.h"
#include "app/logic/update_check.h"
#include "app/windows/about_window.h"
#include "app/windows/main_window.h"
#include "app/windows/qt_pacer.h"
#include "app/windows/qt_program_dialogs.h"
#include "app/windows/shell.h"
#include "app/windows/widget_text.h"
#include "report/core/base/dialogs.h"
#include "report/core/engine/engine.h"
#include "report/qt/qt_print_service.h"

int main(int argc, char** argv) {
    // A file size limit makes a save fail with its French message instead of killing the program.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication application(argc, argv);
    QApplication::setApplicationName(app::QText(app::texts::kApplicationTitle));
    // The desktop matches the windows with the menu entry (and its icon) by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("fr.tombage.Tombage"));
    QApplication::setQuitOnLastWindowClosed(false);  // the main window's closing ends the program

    // The standard dialogs (file dialog buttons and labels) in French when Qt's translations are
    // installed.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::French, QLocale::France), QStringLiteral("qtbase"),
                     QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtTexts);
    }

    // The report engine starts before any window: printer layer first, then its language state.
    report::QtPrintService printService;
    report::Engine engine(&printService);

    app::QtProgramDialogs dialogs;
    report::InstallDialogs(&dialogs);
    app::DesktopShell shell;
    app::QtPacer pacer;
    app::SystemClock clock;

    int result = 0;
    {
        app::MainWindowServices services;
        services.dialogs = &dialogs;
        services.shell = &shell;
        services.pacer = &pacer;
        services.clock = &clock;
        services.engine = &engine;
        services.updateCheck = [&dialogs](const std::string& site) {
            app::UpdateCheck check(site, std::string(app::ProgramVersion),
                                   [&dialogs](const std::string& caption, const std::string& text) {
                                       dialogs.ShowMessage(
                                           text, caption,
                                           report::mb::kOk | report::mb::kIconInformation);
                                   });
            check.Run();
        };
        app::MainWindow mainWindow(services);
        dialogs.SetOwner(&mainWindow);
        // The about window: hidden until "A propos"; a dialog of the main window, destroyed with
        // it.
        auto* apropos = new app::AboutWindow(dialogs, shell, &mainWindow);
        mainWindow.SetAboutWindow(apropos);
        mainWindow.show();
        result = QApplication::exec();
    }
    report::InstallDialogs(nullptr);
    return result;
}
