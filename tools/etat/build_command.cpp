// etat build: builds a template over a user data source, then lists the prepared pages, writes
// them to a prepared file or paints them into a PDF or PNG images.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

#include "report/core/base/dialogs.h"
#include "report/core/base/engine_stream.h"
#include "report/core/base/errors.h"
#include "report/core/base/text.h"
#include "report/core/building/line_height_measurer.h"
#include "report/core/building/page_recorder.h"
#include "report/core/building/prepared_pages_sink.h"
#include "report/core/building/report_builder.h"
#include "report/core/building/text_layout_measurer.h"
#include "report/core/data/dataset.h"
#include "report/core/engine/engine.h"
#include "report/core/file/template_reader.h"
#include "report/core/model/report.h"
#include "report/core/prepared/prepared_file.h"
#include "report/core/prepared/prepared_pages.h"
#include "report/core/render/measuring_canvas.h"
#include "tools/etat/command.h"
#include "tools/etat/page_output.h"

#if TOMBAGE_ETAT_QT
#include "report/qt/qt_drawing_kit.h"
#endif

namespace {

constexpr int kLineHeight = 16;  // design pixels per text line of the listing

void PrintError(const std::string& utf8) {
    std::fprintf(stderr, "etat : %s\n", utf8.c_str());
}

// The --values file: a header row of variable names, then one row of values per record
// (semicolon-separated, UTF-8 or Windows-1252).
struct ValueTable {
    std::vector<std::string> names;
    std::vector<std::vector<std::string>> rows;
};

std::vector<std::string> SplitFields(const std::string& line) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        const size_t semicolon = line.find(';', start);
        fields.push_back(line.substr(start, semicolon - start));
        if (semicolon == std::string::npos) return fields;
        start = semicolon + 1;
    }
}

ValueTable ReadValues(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw report::FileOpenError(path);
    ValueTable table;
    std::string line;
    bool header = true;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (header && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
        if (report::IsValidUtf8(line)) line = report::Utf8ToCp1252(line);
        if (header) {
            table.names = SplitFields(line);
            header = false;
        } else if (!line.empty()) {
            table.rows.push_back(SplitFields(line));
        }
    }
    return table;
}

bool ParseCount(const std::string& text, int& count) {
    if (text.empty() || text.size() > 9) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    count = std::stoi(text);
    return true;
}

int Build(const std::vector<std::string>& args) {
    const std::string usage =
        "usage : etat build FICHIER.etf [--records N] [--values FICHIER.csv] "
        "(-o SORTIE.etp | --pdf SORTIE.pdf | --png DOSSIER | --text)";
    std::string templatePath, valuesPath, outputPath, pdfPath, pngFolder;
    int records = -1;
    bool text = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--records" && i + 1 < args.size()) {
            if (!ParseCount(args[++i], records)) {
                PrintError("nombre d'enregistrements incorrect : " + args[i]);
                return 1;
            }
        } else if (arg == "--values" && i + 1 < args.size()) {
            valuesPath = args[++i];
        } else if (arg == "--text") {
            text = true;
        } else if (arg == "-o" && i + 1 < args.size()) {
            outputPath = args[++i];
        } else if (arg == "--pdf" && i + 1 < args.size()) {
            pdfPath = args[++i];
        } else if (arg == "--png" && i + 1 < args.size()) {
            pngFolder = args[++i];
        } else if (templatePath.empty() && !arg.empty() && arg[0] != '-') {
            templatePath = arg;
        } else {
            PrintError(usage);
            return 1;
        }
    }
    const int outputs =
        int{text} + int{!outputPath.empty()} + int{!pdfPath.empty()} + int{!pngFolder.empty()};
    if (templatePath.empty() || outputs != 1) {
        PrintError(usage);
        return 1;
    }
#if !TOMBAGE_ETAT_QT
    if (!pdfPath.empty() || !pngFolder.empty()) {
        PrintError(
            "build : --pdf et --png non disponibles dans cette version (construite sans Qt)");
        return 1;
    }
#else
    // Painted pages are laid out with the fonts they are painted with.
    const std::unique_ptr<QGuiApplication> application =
        (pdfPath.empty() && pngFolder.empty()) ? nullptr : etat::StartQt();
#endif
    const bool listing = text;
    ValueTable values;
    if (!valuesPath.empty()) {
        values = ReadValues(valuesPath);
        if (records < 0) records = static_cast<int>(values.rows.size());
    }
    if (records < 0) records = 1;

    report::Engine engine(nullptr);  // the virtual printer
    report::Report report(engine.Model());
    // The program's own data source: a template made for it builds unchanged.
    report::UserDataset dataset("userDataset1");
    dataset.rangeEnd = report::RangeEnd::reCount;
    dataset.rangeEndCount = records;
    report::ComponentOwner form;
    form.Add(dataset);
    report.SetOwnerForm(&form);
    report.dataset = &dataset;
    report.onGetValue = [&](const std::string& name, report::Variant& value) {
        if (values.rows.empty()) return;
        // Bands outside the data loop (title, page header) read the first row, as they print
        // before the first record; the summary reads the last.
        const int last = static_cast<int>(values.rows.size()) - 1;
        const size_t row = static_cast<size_t>(std::clamp(dataset.RecordNo(), 0, last));
        for (size_t column = 0; column < values.names.size(); ++column) {
            if (values.names[column] != name) continue;
            const auto& fields = values.rows[row];
            value = report::Variant::String(column < fields.size() ? fields[column] : "");
            return;
        }
    };

    report::EngineStream stream = report::EngineStream::FromFile(templatePath);
    const report::TemplateLoadOutcome outcome = report::ReadTemplate(report, stream);
    if (outcome != report::TemplateLoadOutcome::Loaded &&
        outcome != report::TemplateLoadOutcome::Empty)
        return 1;
    report.showProgress = false;

    report::PageRecorder recorder;
    report::PreparedPages store(report);
    report::PreparedPagesSink storeSink(store);
    report::PreparedSink& pages =
        listing ? static_cast<report::PreparedSink&>(recorder) : storeSink;
    // The listing counts fixed-height lines. Painted pages are laid out with the fonts they are
    // painted with; a prepared file alone with fixed character advances (no fonts without Qt).
    report::MeasuringCanvas fixedAdvances;
#if TOMBAGE_ETAT_QT
    std::unique_ptr<report::QtDrawingKit> kit;
    if (application != nullptr) kit = std::make_unique<report::QtDrawingKit>();
    report::MeasuringCanvas& canvas = kit ? kit->measuring : fixedAdvances;
#else
    report::MeasuringCanvas& canvas = fixedAdvances;
#endif
    report::LineHeightMeasurer lines(kLineHeight);
    report::TextLayoutMeasurer layout(canvas);
    report::ObjectMeasurer& measurer =
        listing ? static_cast<report::ObjectMeasurer&>(lines) : layout;
    report::ReportBuilder builder(report, engine.Core(), pages, measurer);
    report::SilentDialogs silent;  // the error goes to stderr below, once
    report::InstallDialogs(&silent);
    bool built = false;
    try {
        built = builder.BuildReport();
    } catch (...) {
        report::InstallDialogs(nullptr);
        throw;
    }
    report::InstallDialogs(nullptr);
    if (builder.ErrorOccurred()) {
        PrintError(report::TerminalText(builder.ErrorText()));
        return 1;
    }
    (void)built;
    if (!outputPath.empty()) {
        report::SavePreparedFile(store, outputPath);
        return 0;
    }
#if TOMBAGE_ETAT_QT
    if (!listing) {
        std::vector<int> indexes(static_cast<size_t>(store.PageCount()));
        std::iota(indexes.begin(), indexes.end(), 0);
        if (indexes.empty()) {
            PrintError("l'état ne contient aucune page");
            return 1;
        }
        if (!pdfPath.empty()) etat::RenderPdf(store, indexes, pdfPath, *kit);
        if (!pngFolder.empty()) etat::RenderPng(store, indexes, pngFolder, 96, *kit);
        return 0;
    }
#endif
    const std::string pagesText = report::Cp1252ToUtf8(recorder.Listing());
    std::fwrite(pagesText.data(), 1, pagesText.size(), stdout);
    return 0;
}

const etat::EtatCommand buildCommand("build",
                                     "build FICHIER.etf [--records N] [--values FICHIER.csv] "
                                     "(-o SORTIE.etp | --pdf SORTIE.pdf | --png DOSSIER | --text)",
                                     Build);

}  // namespace
