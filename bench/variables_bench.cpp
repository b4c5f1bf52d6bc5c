// Lookup in Variables (insertion order against sorted mode) and Variant arithmetic, the two
// operations that run for every name and operator of every evaluated expression.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "report/core/value/variables.h"
#include "report/core/value/variant.h"

namespace report {
namespace {

std::vector<std::string> MakeNames(int count) {
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i)
        names.push_back("Variable" + std::to_string(i * 7919 % count));
    return names;
}

void FindInList(benchmark::State& state, bool sorted) {
    const auto names = MakeNames(static_cast<int>(state.range(0)));
    Variables list;
    list.SetSorted(sorted);
    for (const auto& name : names)
        list.Set(name, Variant::Int32(1));
    // Looked up in another case, as the parser hands names over upper-cased.
    std::vector<std::string> queries;
    for (const auto& name : names)
        queries.push_back("VARIABLE" + name.substr(8));
    size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(list.Find(queries[next]));
        if (++next == queries.size()) next = 0;
    }
}
void BM_FindInsertionOrder(benchmark::State& state) {
    FindInList(state, false);
}
void BM_FindSorted(benchmark::State& state) {
    FindInList(state, true);
}
BENCHMARK(BM_FindInsertionOrder)->Arg(8)->Arg(64)->Arg(1024);
BENCHMARK(BM_FindSorted)->Arg(8)->Arg(64)->Arg(1024);

void BM_SetExistingSorted(benchmark::State& state) {
    Variables list;
    list.SetSorted(true);
    for (const auto& name : MakeNames(256))
        list.Set(name, Variant::Int32(1));
    int i = 0;
    for (auto _ : state)
        list.Set("Variable128", Variant::Int32(++i));
}
BENCHMARK(BM_SetExistingSorted);

void BM_AddIntegers(benchmark::State& state) {
    Variant sum = Variant::Int32(0);
    const Variant one = Variant::Int32(1);
    for (auto _ : state) {
        sum = sum + one;
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_AddIntegers);

void BM_AddReals(benchmark::State& state) {
    Variant sum = Variant::Double(0);
    const Variant step = Variant::Double(0.5);
    for (auto _ : state) {
        sum = sum + step;
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_AddReals);

void BM_CompareStrings(benchmark::State& state) {
    const Variant a = Variant::String("Equipe du Nord");
    const Variant b = Variant::String("Equipe du Sud");
    for (auto _ : state)
        benchmark::DoNotOptimize(Compare(a, b));
}
BENCHMARK(BM_CompareStrings);

void BM_ConcatenateStrings(benchmark::State& state) {
    const Variant a = Variant::String("joueur");
    const Variant b = Variant::String("1");
    for (auto _ : state)
        benchmark::DoNotOptimize(a + b);
}
BENCHMARK(BM_ConcatenateStrings);

}  // namespace
}  // namespace report
