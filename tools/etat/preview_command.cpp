// etat preview: opens a prepared-report file in the engine's preview window, ready to print,
// save, export or search; the command that the desktop runs on a .etp file.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tools/etat/command.h"

#if TOMBAGE_ETAT_QT
#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <exception>
#include <memory>

#include "report/core/base/text.h"

#include "report/core/engine/engine.h"
#include "report/core/model/report.h"
#include "report/core/prepared/prepared_file.h"
#include "report/core/prepared/prepared_pages.h"
#include "report/qt/qt_print_service.h"
#include "report/ui/preview_window.h"
#include "report/ui/report_preview.h"
#endif

namespace {

constexpr const char* kUsage = "preview FICHIER.etp";

void PrintError(const std::string& message) {
    std::fprintf(stderr, "etat : %s\n", message.c_str());
}

#if TOMBAGE_ETAT_QT

bool HasDisplay() {
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') return true;
    }
    return false;
}

int Preview(const std::vector<std::string>& args) {
    if (args.size() != 1 || args[0].empty() || args[0][0] == '-') {
        PrintError(std::string("usage : etat ") + kUsage);
        return 1;
    }
    // Without a window system Qt would abort; a desktop always gives one.
    if (!HasDisplay()) {
        PrintError("preview : aucun affichage (ni DISPLAY ni WAYLAND_DISPLAY)");
        return 1;
    }
    std::unique_ptr<QApplication> application;
    if (QApplication::instance() == nullptr) {
        static int argc = 1;
        static char name[] = "etat";
        static char* argv[] = {name, nullptr};
        application = std::make_unique<QApplication>(argc, argv);
    }
    // The printers that CUPS lists, as the program prints.
    report::QtPrintService printService;
    report::Engine engine(&printService);
    report::Report report(engine.Model());
    report.title = QFileInfo(QString::fromStdString(args[0])).fileName().toStdString();
    auto pages = std::make_unique<report::PreparedPages>(report);
    std::string failure;
    try {
        report::OpenPreparedFile(*pages, args[0]);
        if (pages->PageCount() == 0) failure = "le fichier ne contient aucune page : " + args[0];
    } catch (const std::exception& error) {
        failure = report::Cp1252ToUtf8(error.what());
    }
    if (!failure.empty()) {
        // Started from the desktop, nobody reads stderr: the message shows in a box too.
        PrintError(failure);
        QMessageBox::critical(nullptr, QStringLiteral("etat"), QString::fromStdString(failure));
        return 1;
    }
    report.modalPreview = true;  // the command returns once the window is closed
    report::ReportPreview printing(report, engine.Core());
    report::PreviewWindow window;
    window.onPrint = [&printing, &window](report::PreparedPages&) { printing.Print(window); };
    window.ShowPages(report, std::move(pages), printing.PrinterAvailable());
    return 0;
}

#else

int Preview(const std::vector<std::string>&) {
    PrintError("preview : non disponible dans cette version (construite sans Qt)");
    return 1;
}

#endif

const etat::EtatCommand previewCommand("preview", kUsage, Preview);

}  // namespace
