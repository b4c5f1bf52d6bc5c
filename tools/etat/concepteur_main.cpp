// etat-concepteur: the report designer, on a template given on the command line or a new one.
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <csignal>
#include <string>

#include "report/core/base/dialogs.h"
#include "report/core/base/text.h"
#include "report/core/engine/engine.h"
#include "report/qt/qt_print_service.h"
#include "report/ui/designer_window.h"
#include "report/ui/qt_message_dialogs.h"
#include "tools/etat/command.h"

namespace {

bool IsPreparedReport(const std::string& path) {
    return path.size() > 4 && report::SameText(path.substr(path.size() - 4), ".etp");
}

}  // namespace

int main(int argc, char** argv) {
    // The desktop opens prepared reports here too: they go to the preview, as etat shows them.
    if (argc == 2 && IsPreparedReport(argv[1])) {
        for (const etat::CommandInfo& command : etat::Commands())
            if (command.name == "preview") return command.run({argv[1]});
    }
    // A file size limit makes a save fail with its message instead of killing the program.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Concepteur d'états"));
    QGuiApplication::setDesktopFileName(QStringLiteral("etat-concepteur"));
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::French, QLocale::France), QStringLiteral("qtbase"),
                     QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    // The engine starts before any window: printer layer first, then its language state.
    report::QtPrintService printService;
    report::Engine engine(&printService);
    report::QtMessageDialogs dialogs;
    report::InstallDialogs(&dialogs);
    int result = 0;
    {
        report::DesignerWindow window(engine.Model(), engine.Core());
        const QStringList arguments = QApplication::arguments();
        // Shown first: a template that cannot be read is refused over the window.
        window.show();
        if (arguments.size() > 1) window.OpenFile(arguments.at(1));
        result = QApplication::exec();
    }
    report::InstallDialogs(nullptr);
    return result;
}
