// etat dump, compile and convert: templates to JSON and back, and old templates to version 24.
#include <cstdio>
#include <string>
#include <vector>

#include "report/core/base/dialogs.h"
#include "report/core/base/engine_stream.h"
#include "report/core/base/json.h"
#include "report/core/base/text.h"
#include "report/core/base/whole_file.h"
#include "report/core/engine/engine.h"
#include "report/core/file/template_json.h"
#include "report/core/file/template_reader.h"
#include "report/core/file/template_writer.h"
#include "report/core/model/report.h"
#include "tools/etat/command.h"

namespace {

void PrintError(const std::string& utf8) {
    std::fprintf(stderr, "etat : %s\n", utf8.c_str());
}

// Loads a template; false when the engine refused it (its message box went to stderr).
bool LoadTemplate(report::Report& report, const std::string& path) {
    report::EngineStream stream = report::EngineStream::FromFile(path);
    const report::TemplateLoadOutcome outcome = report::ReadTemplate(report, stream);
    return outcome == report::TemplateLoadOutcome::Loaded ||
           outcome == report::TemplateLoadOutcome::Empty;
}

// File tools keep the printer stored in the template, whatever this machine has.
void SaveTemplate(report::Report& report, const std::string& path) {
    report::EngineStream stream;
    report::WriteTemplate(report, stream, report::TemplateWriteOptions{true});
    stream.SaveToFile(path);
}

int Dump(const std::vector<std::string>& args) {
    if (args.size() != 1) {
        PrintError("usage : etat dump FICHIER.etf");
        return 1;
    }
    report::Engine engine(nullptr);  // the virtual printer
    report::Report report(engine.Model());
    if (!LoadTemplate(report, args[0])) return 1;
    const std::string json = report::WriteJson(report::TemplateToJson(report));
    std::fwrite(json.data(), 1, json.size(), stdout);
    return 0;
}

int Compile(const std::vector<std::string>& args) {
    if (args.size() != 2) {
        PrintError("usage : etat compile FICHIER.json SORTIE.etf");
        return 1;
    }
    const std::string text = report::ReadWholeFile(args[0]);
    report::Engine engine(nullptr);  // the virtual printer
    report::Report report(engine.Model());
    report::JsonToTemplate(report::ParseJson(text), report);
    SaveTemplate(report, args[1]);
    return 0;
}

int Convert(const std::vector<std::string>& args) {
    if (args.size() != 2) {
        PrintError("usage : etat convert ENTREE.etf SORTIE.etf");
        return 1;
    }
    report::Engine engine(nullptr);  // the virtual printer
    report::Report report(engine.Model());
    if (!LoadTemplate(report, args[0])) return 1;
    SaveTemplate(report, args[1]);
    return 0;
}

const etat::EtatCommand dumpCommand("dump", "dump FICHIER.etf", Dump);
const etat::EtatCommand compileCommand("compile", "compile FICHIER.json SORTIE.etf", Compile);
const etat::EtatCommand convertCommand("convert", "convert ENTREE.etf SORTIE.etf", Convert);

}  // namespace
