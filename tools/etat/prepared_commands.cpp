// etat dump-prepared: the pages of a prepared-report file as JSON, their objects in the form
// that `etat dump` gives template objects, as their compact records hold them.
#include <cstdio>
#include <string>
#include <vector>

#include "report/core/base/json.h"
#include "report/core/base/text.h"
#include "report/core/engine/engine.h"
#include "report/core/file/template_json.h"
#include "report/core/model/report.h"
#include "report/core/prepared/prepared_file.h"
#include "report/core/prepared/prepared_pages.h"
#include "tools/etat/command.h"

namespace {

report::JsonValue Int(int64_t value) {
    return report::JsonValue::Number(value);
}

// The objects of one prepared page in their compact form: a text object's memo is its
// finished text.
report::JsonValue PageObjects(report::PreparedPages& store, int index) {
    report::JsonValue objects = report::JsonValue::Array();
    for (const auto& view : store.ExpandPage(index).Objects()) {
        view->inPreparedPage = true;
        objects.Push(report::ObjectToJson(*view));
    }
    store.ReleasePage(index);
    return objects;
}

report::JsonValue PageJson(report::PreparedPages& store, int index) {
    const report::PreparedPage& page = store.PageAt(index);
    report::JsonValue p = report::JsonValue::Object();
    p.Set("paperCode", Int(page.paperCode));
    p.Set("paperWidth", Int(page.paperWidth));
    p.Set("paperHeight", Int(page.paperHeight));
    p.Set("orientation", Int(page.orientation));
    p.Set("paperBin", Int(page.paperBin));
    p.Set("marginsActive", report::JsonValue::Boolean(page.marginsActive));
    p.Set("leftMargin", Int(page.margins.left));
    p.Set("topMargin", Int(page.margins.top));
    p.Set("rightMargin", Int(page.margins.right));
    p.Set("bottomMargin", Int(page.margins.bottom));
    p.Set("objects", PageObjects(store, index));
    return p;
}

int DumpPrepared(const std::vector<std::string>& args) {
    if (args.size() != 1) {
        std::fprintf(stderr, "etat : usage : etat dump-prepared FICHIER.etp\n");
        return 1;
    }
    report::Engine engine(nullptr);  // the virtual printer
    report::Report report(engine.Model());
    report::PreparedPages store(report);
    report::OpenPreparedFile(store, args[0]);
    report::JsonValue json = report::JsonValue::Object();
    json.Set("version", Int(store.FileVersion()));
    json.Set("compressionFlag", Int(store.FileCompressionFlag()));
    json.Set("printer", report::JsonValue::String(report::Cp1252ToUtf8(store.FilePrinterName())));
    report::JsonValue pages = report::JsonValue::Array();
    for (int i = 0; i < store.PageCount(); ++i)
        pages.Push(PageJson(store, i));
    json.Set("pages", std::move(pages));
    const std::string text = report::WriteJson(json);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return 0;
}

const etat::EtatCommand dumpPreparedCommand("dump-prepared", "dump-prepared FICHIER.etp",
                                            DumpPrepared);

}  // namespace
