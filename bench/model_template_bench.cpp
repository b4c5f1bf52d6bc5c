// Loading and saving a template of 10,000 text objects (aim: under 50 ms each on one core).
#include <benchmark/benchmark.h>

#include <string>

#include "report/core/base/dialogs.h"
#include "report/core/file/template_reader.h"
#include "report/core/file/template_writer.h"
#include "report/core/model/band_view.h"
#include "report/core/model/memo_view.h"
#include "report/core/model/model_state.h"
#include "report/core/model/report.h"
#include "tests/fixtures/fixture_bytes.h"

namespace {

constexpr int kObjects = 10000;

report::ModelState& State() {
    static report::ModelState state;
    static const bool started = [] {
        state.printer.Start(nullptr);
        return true;
    }();
    (void)started;
    return state;
}

// Ten pages with a band and a thousand text objects each, named and filled like a real list.
void Fill(report::Report& report) {
    report::ModelState& state = report.State();
    for (int p = 0; p < 10; ++p) {
        report::Page& page = report.AddPage();
        page.GenerateName();
        auto band = state.factory.CreateViewByType(report::object_type::kBand);
        band->name = "MasterData" + std::to_string(p + 1);
        band->frameTyp = static_cast<uint16_t>(report::BandType::MasterData);
        page.Add(std::move(band));
        for (int i = 0; i < kObjects / 10; ++i) {
            auto view = state.factory.CreateViewByType(report::object_type::kMemo);
            auto& memo = static_cast<report::MemoView&>(*view);
            memo.name = "Memo" + std::to_string(p * 1000 + i + 1);
            memo.left = 10 + (i % 4) * 180;
            memo.top = 20 + (i / 4) * 18;
            memo.width = 170;
            memo.height = 18;
            memo.memo = {"Match [Num] : [joueur1] - [joueur2]"};
            memo.frameTyp = 15;
            page.Add(std::move(view));
        }
    }
}

std::string Saved() {
    report::Report report(State());
    Fill(report);
    report::EngineStream s;
    report::WriteTemplate(report, s);
    return s.TakeBytes();
}

void BM_SaveTemplate10000(benchmark::State& bench) {
    report::Report report(State());
    Fill(report);
    size_t size = 0;
    for (auto _ : bench) {
        report::EngineStream s;
        report::WriteTemplate(report, s);
        size = s.Size();
        benchmark::DoNotOptimize(s.Bytes().data());
    }
    bench.counters["bytes"] = static_cast<double>(size);
}
BENCHMARK(BM_SaveTemplate10000)->Unit(benchmark::kMillisecond);

void BM_LoadTemplate10000(benchmark::State& bench) {
    const std::string bytes = Saved();
    for (auto _ : bench) {
        report::Report report(State());
        report::EngineStream s(bytes);
        const auto outcome = report::ReadTemplate(report, s);
        benchmark::DoNotOptimize(outcome);
    }
    bench.counters["bytes"] = static_cast<double>(bytes.size());
}
BENCHMARK(BM_LoadTemplate10000)->Unit(benchmark::kMillisecond);

// A version-22 template of 10,000 text objects: no names are stored, every object gets one.
void BM_LoadVersion22Template10000(benchmark::State& bench) {
    fixtures::DocumentSpec d;
    for (int p = 0; p < 10; ++p) {
        fixtures::PageSpec page;
        page.marker = false;
        d.pages.push_back(page);
    }
    for (int i = 0; i < kObjects; ++i) {
        fixtures::ObjectSpec memo;
        memo.page = static_cast<uint8_t>(i / 1000);
        memo.memo = {"Match [Num] : [joueur1] - [joueur2]"};
        d.objects.push_back(memo);
    }
    const std::string bytes = fixtures::Render(d, 22);
    for (auto _ : bench) {
        report::Report report(State());
        report::EngineStream s(bytes);
        const auto outcome = report::ReadTemplate(report, s);
        benchmark::DoNotOptimize(outcome);
    }
    bench.counters["bytes"] = static_cast<double>(bytes.size());
}
BENCHMARK(BM_LoadVersion22Template10000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
