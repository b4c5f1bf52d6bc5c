// Building a list report: 10,000 records of three text fields with a page header and a page
// footer "page n / total" (two passes), into the in-memory recorder and into the prepared-page
// store. Aim: 500,000 placed text objects per second on one core. The 100,000-record builds
// report the process's peak resident memory (aim: 200 MiB with the real store).
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <string>

#include "report/core/base/json.h"
#include "report/core/building/line_height_measurer.h"
#include "report/core/building/page_recorder.h"
#include "report/core/building/prepared_pages_sink.h"
#include "report/core/building/report_builder.h"
#include "report/core/data/dataset.h"
#include "report/core/file/template_json.h"
#include "report/core/language/engine_core.h"
#include "report/core/model/model_state.h"
#include "report/core/model/report.h"
#include "report/core/prepared/prepared_pages.h"

namespace {

const char* const kTemplate = R"({"twoPass": 1, "pages": [{"topMargin": 50,
    "bottomMargin": 50, "leftMargin": 40, "rightMargin": 40, "objects": [
    {"class": "BandView", "bandType": "PageHeader", "name": "Haut", "top": 50, "height": 20,
     "flags": 16},
    {"class": "MemoView", "name": "Titre", "left": 40, "top": 52, "width": 300, "height": 16,
     "memo": ["Tirage au sort"]},
    {"class": "BandView", "bandType": "MasterData", "name": "Donnees", "top": 80, "height": 20},
    {"class": "MemoView", "name": "Num", "left": 40, "top": 82, "width": 40, "height": 16,
     "memo": ["[Num]"]},
    {"class": "MemoView", "name": "Joueur1", "left": 90, "top": 82, "width": 200, "height": 16,
     "memo": ["[joueur1]"]},
    {"class": "MemoView", "name": "Joueur2", "left": 300, "top": 82, "width": 200, "height": 16,
     "memo": ["[joueur2]"]},
    {"class": "BandView", "bandType": "PageFooter", "name": "Bas", "top": 900, "height": 20,
     "flags": 48},
    {"class": "MemoView", "name": "Page", "left": 40, "top": 902, "width": 300, "height": 16,
     "memo": ["Page [PAGE#] / [TOTALPAGES]"]}]}]})";

struct Setup {
    report::ModelState state;
    report::EngineCore core;
    report::Report report{state};
    report::UserDataset data{"userDataset1"};
    report::LineHeightMeasurer measurer{16};

    explicit Setup(int records) {
        state.printer.Start(nullptr);
        state.globalVariables = &core.GlobalVariables();
        state.evaluate = [this](const std::string& text) {
            return core.SharedParser().Evaluate(text);
        };
        data.rangeEnd = report::RangeEnd::reCount;
        data.rangeEndCount = records;
        report.dataset = &data;
        report.showProgress = false;
        report::JsonToTemplate(report::ParseJson(kTemplate), report);
        // The program's own answers: a match number and two team names.
        report.onGetValue = [this](const std::string& name, report::Variant& value) {
            const int row = data.RecordNo();
            if (name == "Num")
                value = report::Variant::String(std::to_string(row + 1));
            else if (name == "joueur1")
                value = report::Variant::String("Equipe " + std::to_string(2 * row + 1));
            else if (name == "joueur2")
                value = report::Variant::String("Equipe " + std::to_string(2 * row + 2));
        };
    }
};

double PeakMiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

void Count(benchmark::State& state, int records, int pages) {
    // Text objects placed by the final pass: three per record, a header and a footer per page.
    const int64_t objects = 3LL * records + 2LL * pages;
    state.SetItemsProcessed(state.iterations() * objects);
    state.counters["pages"] = pages;
    state.counters["objects/s"] = benchmark::Counter(static_cast<double>(objects),
                                                     benchmark::Counter::kIsIterationInvariantRate);
    state.counters["peak_MiB"] = PeakMiB();
}

void BM_BuildIntoRecorder(benchmark::State& state) {
    const int records = static_cast<int>(state.range(0));
    Setup setup(records);
    report::PageRecorder pages;
    for (auto _ : state) {
        report::ReportBuilder builder(setup.report, setup.core, pages, setup.measurer);
        benchmark::DoNotOptimize(builder.BuildReport());
    }
    Count(state, records, pages.PageCount());
}
BENCHMARK(BM_BuildIntoRecorder)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_BuildIntoStore(benchmark::State& state) {
    const int records = static_cast<int>(state.range(0));
    Setup setup(records);
    report::PreparedPages store(setup.report);
    report::PreparedPagesSink pages(store);
    for (auto _ : state) {
        report::ReportBuilder builder(setup.report, setup.core, pages, setup.measurer);
        benchmark::DoNotOptimize(builder.BuildReport());
    }
    Count(state, records, store.PageCount());
}
BENCHMARK(BM_BuildIntoStore)->Arg(10000)->Unit(benchmark::kMillisecond);

// Peak memory: run alone (--benchmark_filter) so that the figure is this build's.
BENCHMARK(BM_BuildIntoRecorder)
    ->Name("BM_Peak_Recorder")
    ->Arg(100000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildIntoStore)
    ->Name("BM_Peak_Store")
    ->Arg(100000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
