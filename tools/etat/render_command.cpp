// etat render: paints the pages of a prepared-report file through the page drawing that the
// preview and the printer use, into PNG images or one PDF file.
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "tools/etat/command.h"
#include "tools/etat/page_output.h"

#if TOMBAGE_ETAT_QT
#include <memory>

#include "report/core/engine/engine.h"
#include "report/core/model/report.h"
#include "report/core/output/page_list.h"
#include "report/core/prepared/prepared_file.h"
#include "report/core/prepared/prepared_pages.h"
#include "report/qt/qt_drawing_kit.h"
#endif

namespace {

constexpr const char* kUsage =
    "render FICHIER.etp (--png DOSSIER [--dpi N] | --pdf SORTIE.pdf) [--pages LISTE]";

void PrintError(const std::string& message) {
    std::fprintf(stderr, "etat : %s\n", message.c_str());
}

struct RenderRequest {
    std::string preparedPath;
    std::string pngFolder;
    std::string pdfPath;
    int dpi = 96;
    std::string pages;  // empty: every page
};

// A whole decimal number from 1 to 4800 dpi: beyond that an A4 page no longer fits in memory.
bool ParseDpi(const std::string& text, int& dpi) {
    if (text.empty() || text.size() > 4) return false;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    if (value < 1 || value > 4800) return false;
    dpi = value;
    return true;
}

// False after printing the error.
bool ParseRequest(const std::vector<std::string>& args, RenderRequest& request) {
    bool dpiGiven = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--png" && hasValue) {
            request.pngFolder = args[++i];
        } else if (arg == "--pdf" && hasValue) {
            request.pdfPath = args[++i];
        } else if (arg == "--dpi" && hasValue) {
            if (!ParseDpi(args[++i], request.dpi)) {
                PrintError("résolution incorrecte : " + args[i] + " (de 1 à 4800 ppp)");
                return false;
            }
            dpiGiven = true;
        } else if (arg == "--pages" && hasValue) {
            request.pages = args[++i];
        } else if (request.preparedPath.empty() && !arg.empty() && arg[0] != '-') {
            request.preparedPath = arg;
        } else {
            PrintError(std::string("usage : etat ") + kUsage);
            return false;
        }
    }
    if (request.preparedPath.empty() || request.pngFolder.empty() == request.pdfPath.empty() ||
        (dpiGiven && request.pngFolder.empty())) {
        PrintError(std::string("usage : etat ") + kUsage);
        return false;
    }
    return true;
}

#if TOMBAGE_ETAT_QT

// The 0-based indexes of the pages asked for.
std::vector<int> SelectedPages(const std::string& list, int pageCount) {
    std::vector<int> indexes;
    const std::set<int> numbers = report::ParsePageList(list, pageCount);
    if (numbers.empty()) {
        for (int i = 0; i < pageCount; ++i)
            indexes.push_back(i);
    } else {
        for (int number : numbers)
            indexes.push_back(number - 1);
    }
    return indexes;
}

int Render(const std::vector<std::string>& args) {
    RenderRequest request;
    if (!ParseRequest(args, request)) return 1;
    const std::unique_ptr<QGuiApplication> application = etat::StartQt();
    report::Engine engine(nullptr);  // the virtual printer
    report::Report report(engine.Model());
    report::PreparedPages store(report);
    report::OpenPreparedFile(store, request.preparedPath);
    if (store.PageCount() == 0) {
        PrintError("le fichier ne contient aucune page : " + request.preparedPath);
        return 1;
    }
    const std::vector<int> indexes = SelectedPages(request.pages, store.PageCount());
    report::QtDrawingKit kit;
    if (request.pngFolder.empty()) {
        etat::RenderPdf(store, indexes, request.pdfPath, kit);
    } else {
        etat::RenderPng(store, indexes, request.pngFolder, request.dpi, kit);
    }
    return 0;
}

#else

int Render(const std::vector<std::string>& args) {
    RenderRequest request;
    if (!ParseRequest(args, request)) return 1;
    PrintError("render : non disponible dans cette version (construite sans Qt)");
    return 1;
}

#endif

const etat::EtatCommand renderCommand("render", kUsage, Render);

}  // namespace
