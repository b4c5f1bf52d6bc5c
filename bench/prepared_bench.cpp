// Prepared pages: storing a built page's objects, expanding a page back into live objects, and
// what a page off screen costs (bytes of page data per object).
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "report/core/model/memo_view.h"
#include "report/core/model/model_state.h"
#include "report/core/model/report.h"
#include "report/core/prepared/prepared_pages.h"

namespace report {
namespace {

// A draw sheet line: "Équipe 12", its rival and the match label, each a short text object.
std::unique_ptr<MemoView> Cell(int row, int column) {
    auto memo = std::make_unique<MemoView>();
    memo->name = "Memo" + std::to_string(column + 1);
    memo->left = 20 + column * 200;
    memo->top = 40 + row * 20;
    memo->width = 190;
    memo->height = 18;
    memo->expandedMemo = {column == 2 ? std::to_string(row + 1)
                                      : "\xC9quipe " + std::to_string(row)};
    return memo;
}

struct Store {
    ModelState state;
    std::unique_ptr<Report> report;
    std::unique_ptr<PreparedPages> pages;
    Page* templatePage = nullptr;
    Store() {
        state.printer.Start(nullptr);
        report = std::make_unique<Report>(state);
        templatePage = &report->AddPage();
        pages = std::make_unique<PreparedPages>(*report);
    }
    // One page of `count` objects.
    void Fill(int count) {
        pages->AppendPage(*templatePage, 0);
        const int last = pages->PageCount() - 1;
        for (int i = 0; i < count; ++i)
            pages->AppendObject(last, *Cell(i / 3, i % 3));
    }
};

void BM_StorePage(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    size_t bytes = 0;
    for (auto _ : state) {
        Store store;
        store.Fill(count);
        bytes = store.pages->PageAt(0).pageData.size();
        benchmark::DoNotOptimize(bytes);
    }
    state.SetItemsProcessed(state.iterations() * count);
    state.counters["bytes_per_object"] = static_cast<double>(bytes - 1) / count;
}
BENCHMARK(BM_StorePage)->Arg(30)->Arg(150);

void BM_ExpandPage(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    Store store;
    store.Fill(count);
    for (auto _ : state) {
        Page& live = store.pages->ExpandPage(0);
        benchmark::DoNotOptimize(live.ObjectCount());
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_ExpandPage)->Arg(30)->Arg(150);

void BM_ReadFile(benchmark::State& state) {
    const int pageCount = static_cast<int>(state.range(0));
    Store store;
    for (int i = 0; i < pageCount; ++i)
        store.Fill(150);
    EngineStream file;
    store.pages->WriteToStream(file);
    for (auto _ : state) {
        PreparedPages read(*store.report);
        EngineStream in(file.Bytes());
        read.ReadFromStream(in);
        benchmark::DoNotOptimize(read.PageCount());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(file.Size()));
}
BENCHMARK(BM_ReadFile)->Arg(10);

}  // namespace
}  // namespace report

BENCHMARK_MAIN();
