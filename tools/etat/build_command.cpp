// etat build: builds a template over a user data source and lists the prepared pages.
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "report/core/base/dialogs.h"
#include "report/core/base/engine_stream.h"
#include "report/core/base/errors.h"
#include "report/core/base/text.h"
#include "report/core/build/line_height_measurer.h"
#include "report/core/build/page_recorder.h"
#include "report/core/build/prepared_pages_sink.h"
#include "report/core/build/report_builder.h"
#include "report/core/build/text_layout_measurer.h"
#include "report/core/data/dataset.h"
#include "report/core/engine/engine.h"
#include "report/core/file/template_reader.h"
#include "report/core/model/report.h"
#include "report/core/prepared/prepared_file.h"
#include "report/core/prepared/prepared_pages.h"
#include "report/core/render/measuring_canvas.h"
#include "tools/etat/command.h"

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
        "(-o SORTIE.etp | --text)";
    std::string templatePath, valuesPath, outputPath;
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
        } else if (arg == "--pdf" || arg == "--png") {
            PrintError(arg + " : pas encore disponible (sorties --text et -o seulement)");
            return 1;
        } else if (templatePath.empty() && !arg.empty() && arg[0] != '-') {
            templatePath = arg;
        } else {
            PrintError(usage);
            return 1;
        }
    }
    if (templatePath.empty() || text == !outputPath.empty()) {
        PrintError(usage);
        return 1;
    }
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
        const size_t row = static_cast<size_t>(dataset.RecordNo());
        if (row >= values.rows.size()) return;
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
        outputPath.empty() ? static_cast<report::PreparedSink&>(recorder) : storeSink;
    // The listing counts fixed-height lines; a prepared file gets the text laid out as drawn
    // (fixed character advances: etat has no fonts of its own).
    report::LineHeightMeasurer lines(kLineHeight);
    report::MeasuringCanvas canvas;
    report::TextLayoutMeasurer layout(canvas);
    report::ObjectMeasurer& measurer =
        outputPath.empty() ? static_cast<report::ObjectMeasurer&>(lines) : layout;
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
    const std::string listing = report::Cp1252ToUtf8(recorder.Listing());
    std::fwrite(listing.data(), 1, listing.size(), stdout);
    return 0;
}

const etat::EtatCommand buildCommand(
    "build", "build FICHIER.etf [--records N] [--values FICHIER.csv] (-o SORTIE.etp | --text)",
    Build);

}  // namespace
