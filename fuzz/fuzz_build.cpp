// Builds arbitrary templates: bytes that parse as JSON are read in the JSON form (`etat
// compile`), others as a binary template. Each template that loads is built over a user data
// source of 0 to 5 records (the first byte chooses), its pages are painted, and the layout rules
// are checked. Template and build errors are fine; a crash, a hang, a runaway build or a broken
// layout rule is a finding.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "fuzz/fuzz_engine_state.h"
#include "report/core/base/engine_stream.h"
#include "report/core/base/errors.h"
#include "report/core/base/json.h"
#include "report/core/base/text.h"
#include "report/core/building/layout_invariants.h"
#include "report/core/building/line_height_measurer.h"
#include "report/core/building/page_recorder.h"
#include "report/core/building/prepared_pages_sink.h"
#include "report/core/building/report_builder.h"
#include "report/core/data/component.h"
#include "report/core/data/dataset.h"
#include "report/core/engine/engine.h"
#include "report/core/file/template_json.h"
#include "report/core/file/template_reader.h"
#include "report/core/language/engine_core.h"
#include "report/core/language/script_interpreter.h"
#include "report/core/model/band_view.h"
#include "report/core/model/page.h"
#include "report/core/model/report.h"
#include "report/core/prepared/prepared_pages.h"
#include "report/core/render/page_drawing.h"
#include "report/core/render/recording_canvas.h"

namespace {

// A build of at most 5 records that writes more than this is running away.
constexpr int kMaxPages = 200;
constexpr long kMaxObjects = 200000;

// Stops a build quietly: a script may ask for any number of page breaks.
struct BudgetSpent {};

// Every page goes to the recorder (for the rules) and to the prepared-page store (to paint).
class TeeSink final : public report::PreparedSink {
  public:
    TeeSink(report::PageRecorder& recorder, report::PreparedPagesSink& store, bool scripted)
        : recorder_(recorder), store_(store), scripted_(scripted) {}

    void Clear() override {
        recorder_.Clear();
        store_.Clear();
    }
    void AddPage(const report::Page& designPage) override {
        if (recorder_.PageCount() >= kMaxPages) Overrun("pages");
        recorder_.AddPage(designPage);
        store_.AddPage(designPage);
    }
    void WriteObject(int pageIndex, report::View& object) override {
        if (++objects_ > kMaxObjects) Overrun("objects");
        recorder_.WriteObject(pageIndex, object);
        store_.WriteObject(pageIndex, object);
    }
    int PageCount() const override { return recorder_.PageCount(); }

  private:
    void Overrun(const char* what) const {
        if (scripted_) throw BudgetSpent{};
        std::fprintf(stderr, "fuzz_build: the build runs away (more than the budget of %s)\n",
                     what);
        __builtin_trap();
    }

    report::PageRecorder& recorder_;
    report::PreparedPagesSink& store_;
    bool scripted_;
    long objects_ = 0;
};

bool Contains(const std::string& text, std::string_view word) {
    return report::UpperCase(text).find(word) != std::string::npos;
}

bool AsksForBreaks(const report::StringList& lines) {
    for (const std::string& line : lines)
        if (Contains(line, "NEWPAGE") || Contains(line, "NEWCOLUMN") || Contains(line, "SHOWBAND"))
            return true;
    return false;
}

// Scripts may break pages at will, and a data source named by a number has that many records:
// such templates build under the budget without its being a finding. Returns false for a
// template that names a data source of more records than the budget allows for.
bool Inspect(const report::Report& report, bool& scripted) {
    scripted = false;
    for (const auto& page : report.pages) {
        scripted = scripted || AsksForBreaks(page->script);
        for (const auto& object : page->Objects()) {
            scripted = scripted || AsksForBreaks(object->script) ||
                       (dynamic_cast<const report::BandView*>(object.get()) != nullptr &&
                        AsksForBreaks(object->memo));
            const std::string& source = object->formatPattern;
            if (dynamic_cast<const report::BandView*>(object.get()) == nullptr || source.empty() ||
                source.size() > 6 || source.find_first_not_of("0123456789") != std::string::npos)
                continue;
            if (std::stoi(source) > 5) return false;
        }
    }
    return true;
}

bool Load(report::Report& report, const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    try {
        const report::JsonValue json = report::ParseJson(bytes);
        report::JsonToTemplate(json, report);
        return true;
    } catch (const report::EngineError&) {
    }
    report::EngineStream in{std::string(bytes)};
    return report::ReadTemplate(report, in) == report::TemplateLoadOutcome::Loaded;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    static report::Engine engine(nullptr);
    // Endless scripts stop at the cap like any other; a lower cap keeps them within the
    // fuzzer's time limit under the sanitizers (ten million lines take some 40 s there).
    static const bool capped = [] {
        engine.Core().Interpreter().SetExecutionLimit(100000);
        return true;
    }();
    (void)capped;
    fuzzing::InstallSilentDialogs();
    report::Report report(engine.Model());
    report::UserDataset dataset("userDataset1");
    dataset.rangeEnd = report::RangeEnd::reCount;
    dataset.rangeEndCount = data[0] % 6;
    report::ComponentOwner form;
    form.Add(dataset);
    report.SetOwnerForm(&form);
    try {
        if (!Load(report, data, size)) return 0;
    } catch (const report::EngineError&) {
        return 0;
    }
    bool scripted = false;
    if (!Inspect(report, scripted)) return 0;
    report.dataset = &dataset;
    report.showProgress = false;
    // The names the gallery's templates use, answered by record.
    report.onGetValue = [&](const std::string& name, report::Variant& value) {
        const int record = dataset.RecordNo();
        if (name == "Montant") value = report::Variant::Int32(record + 1);
        if (name == "G" || name == "G2") value = report::Variant::Int32(record / 2);
        if (name == "G1") value = report::Variant::Int32(record / 3);
        if (name == "Long") {
            std::string text = "1";
            for (int line = 2; line <= 4 * (record + 1); ++line)
                text += "\r" + std::to_string(line);
            value = report::Variant::String(text);
        }
    };

    report::PageRecorder recorder;
    report::PreparedPages store(report);
    report::PreparedPagesSink storeSink(store);
    TeeSink pages(recorder, storeSink, scripted);
    report::BuildWatch watch(recorder);
    watch.Attach(report);
    report::LineHeightMeasurer measurer(16);
    bool built = false;
    try {
        report::ReportBuilder builder(report, engine.Core(), pages, measurer);
        built = builder.BuildReport();
    } catch (const report::EngineError&) {
        return 0;
    } catch (const BudgetSpent&) {
        return 0;
    }
    if (!built) return 0;

    report::RecordingCanvas canvas;
    report::PageDrawOptions options;
    options.printing = true;
    for (int i = 0; i < store.PageCount(); ++i) {
        try {
            report::DrawPage(store, i, canvas, report::IntRect{0, 0, 794, 1123}, options);
        } catch (const report::EngineError&) {
        }
    }

    report::LayoutCheck check;
    check.geometry = report::PageGeometries(report);
    check.pageStarts = &watch.PageStarts();
    const std::vector<std::string> violations = report::LayoutViolations(recorder, check);
    if (!violations.empty()) {
        for (const std::string& violation : violations)
            std::fprintf(stderr, "fuzz_build: %s\n", violation.c_str());
        std::fprintf(stderr, "%s", recorder.Listing().c_str());
        __builtin_trap();
    }
    return 0;
}
