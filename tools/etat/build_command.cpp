// etat build: builds a template over a user data source, then lists the prepared pages, writes
// them to a prepared file or paints them into a PDF or PNG images.
#include <cstdio>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

#include "report/core/base/dialogs.h"
#include "report/core/base/engine_stream.h"
#include "report/core/base/errors.h"
#include "report/core/base/text.h"
#include "report/core/building/page_recorder.h"
#include "report/core/building/prepared_pages_sink.h"
#include "report/core/building/report_builder.h"
#include "report/core/building/text_layout_measurer.h"
#include "report/core/designer/sample_values.h"
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
#include "tools/etat/streamed_pdf_sink.h"
#endif

namespace {

void PrintError(const std::string& utf8) {
    std::fprintf(stderr, "etat : %s\n", utf8.c_str());
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
    // Every output is laid out with the fonts pages are painted with: a stretched band saved
    // to a prepared file or listed must have the height it has on paper.
    const std::unique_ptr<QGuiApplication> application = etat::StartQt();
#endif
    const bool listing = text;
    report::SampleValues values;
    if (!valuesPath.empty()) values = report::ReadSampleValues(valuesPath);

    report::Engine engine(nullptr);  // the virtual printer
    report::Report report(engine.Model());
    // The program's own data source: a template made for it builds unchanged.
    report::SampleData sample(std::move(values), records);
    sample.AttachTo(report);

    report::EngineStream stream = report::EngineStream::FromFile(templatePath);
    const report::TemplateLoadOutcome outcome = report::ReadTemplate(report, stream);
    if (outcome != report::TemplateLoadOutcome::Loaded &&
        outcome != report::TemplateLoadOutcome::Empty)
        return 1;
    report.showProgress = false;

    report::PageRecorder recorder;
    report::PreparedPages store(report);
    report::PreparedPagesSink storeSink(store);
    // Text is laid out with the real fonts; a build without Qt has none and uses fixed
    // character advances.
    report::MeasuringCanvas fixedAdvances;
#if TOMBAGE_ETAT_QT
    const auto kit = std::make_unique<report::QtDrawingKit>();
    report::MeasuringCanvas& canvas = kit->measuring;
#else
    report::MeasuringCanvas& canvas = fixedAdvances;
#endif
    report::TextLayoutMeasurer measurer(canvas);
    // False when the build failed (its message printed).
    const auto build = [&](report::PreparedSink& pages, auto&& followPasses) {
        report::ReportBuilder builder(report, engine.Core(), pages, measurer);
        followPasses(builder);
        report::SilentDialogs silent;  // the error goes to stderr below, once
        report::InstallDialogs(&silent);
        try {
            builder.BuildReport();
        } catch (...) {
            report::InstallDialogs(nullptr);
            throw;
        }
        report::InstallDialogs(nullptr);
        if (builder.ErrorOccurred()) {
            PrintError(report::TerminalText(builder.ErrorText()));
            return false;
        }
        return true;
    };
    const auto noPasses = [](const report::ReportBuilder&) {};
#if TOMBAGE_ETAT_QT
    if (!pdfPath.empty()) {
        {
            // Pages go to the file as the build finishes them: memory does not grow with them.
            etat::PdfPageWriter pdf(pdfPath, *kit);
            etat::StreamedPdfSink streamed(report, pdf);
            if (!build(streamed, [&](const report::ReportBuilder& b) { streamed.FollowPasses(b); }))
                return 1;
            if (streamed.Finish()) {
                if (pdf.PagesAdded() == 0) {
                    PrintError("l'état ne contient aucune page");
                    return 1;
                }
                pdf.Finish();
                return 0;
            }
        }
        // The build went back to a page already written: built whole, then painted.
        if (!build(storeSink, noPasses)) return 1;
        std::vector<int> indexes(static_cast<size_t>(store.PageCount()));
        std::iota(indexes.begin(), indexes.end(), 0);
        if (indexes.empty()) {
            PrintError("l'état ne contient aucune page");
            return 1;
        }
        etat::RenderPdf(store, indexes, pdfPath, *kit);
        return 0;
    }
#endif
    if (!build(listing ? static_cast<report::PreparedSink&>(recorder) : storeSink, noPasses))
        return 1;
    if (!outputPath.empty()) {
        report::SavePreparedFile(store, outputPath);
        return 0;
    }
#if TOMBAGE_ETAT_QT
    if (!pngFolder.empty()) {
        std::vector<int> indexes(static_cast<size_t>(store.PageCount()));
        std::iota(indexes.begin(), indexes.end(), 0);
        if (indexes.empty()) {
            PrintError("l'état ne contient aucune page");
            return 1;
        }
        etat::RenderPng(store, indexes, pngFolder, 96, *kit);
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
