// Loading a report's data dictionary (templates and .etd files): every name read is looked up in
// the list being filled, so the lookup must not grow with the list.
#include <benchmark/benchmark.h>

#include <string>

#include "report/core/base/engine_stream.h"
#include "report/core/data/data_dictionary.h"

namespace report {
namespace {

// Current layout: `count` variables in categories of 100, all names distinct; field aliases
// (marker -1: half of them empty, so that the loader drops them) and no band source aliases.
std::string CurrentSection(int count, int16_t marker, int aliasCount) {
    EngineStream s;
    WriteI16(s, marker);
    WriteI32(s, count);
    for (int i = 0; i < count; ++i) {
        if (i % 100 == 0) {
            WriteString(s, " Cat\xE9gorie " + std::to_string(i / 100));
            WriteString(s, "");
        } else {
            WriteString(s, "Variable" + std::to_string(i));
            WriteString(s, "[Table1.\"Champ" + std::to_string(i % 7) + "\"] + 1");
        }
    }
    WriteI32(s, aliasCount);
    for (int i = 0; i < aliasCount; ++i) {
        WriteString(s, "Table1.Champ" + std::to_string(i));
        WriteString(s, i % 2 == 0 ? std::string() : "Alias " + std::to_string(i));
    }
    WriteI32(s, 0);
    return s.TakeBytes();
}

// Old layout: `count` alias entries, then a memo naming each of them as a variable.
std::string OldSection(int count) {
    EngineStream s;
    WriteI32(s, count);
    StringList memo{"Cat\xE9gorie"};
    for (int i = 0; i < count; ++i) {
        WriteU8(s, 1);
        WriteI32(s, 0);
        const std::string name = "Var" + std::to_string(i);
        for (const std::string& text : {std::string("Table1"), "Champ" + std::to_string(i), name}) {
            WriteU8(s, static_cast<uint8_t>(text.size()));
            s.Write(text);
        }
        memo.push_back(" " + name);
    }
    WriteMemo(s, memo);
    return s.TakeBytes();
}

void Load(benchmark::State& state, const std::string& bytes, int expected) {
    DataDictionary dictionary;
    for (auto _ : state) {
        EngineStream s(bytes);
        dictionary.LoadDictionary(s, kCurrentStreamVersion);
        if (dictionary.variables.Count() != expected) state.SkipWithError("wrong count");
    }
    state.SetComplexityN(state.range(0));
    state.counters["variables/s"] = benchmark::Counter(
        static_cast<double>(state.range(0)) * state.iterations(), benchmark::Counter::kIsRate);
}

void BM_LoadDictionary(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    Load(state, CurrentSection(count, -2, 0), count);
}
BENCHMARK(BM_LoadDictionary)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

// The older current layout also drops the empty aliases of fields that no longer exist.
void BM_LoadDictionaryDroppingAliases(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    Load(state, CurrentSection(count, -1, count), count);
}
BENCHMARK(BM_LoadDictionaryDroppingAliases)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

void BM_LoadOldDictionary(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    Load(state, OldSection(count), count + 1);
}
BENCHMARK(BM_LoadOldDictionary)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

// For comparison: the same names added with Variables::Set, which searches the whole list
// in insertion order before it appends.
void BM_SetEachNewName(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    for (auto _ : state) {
        Variables list;
        for (int i = 0; i < count; ++i)
            list.Set("Variable" + std::to_string(i), Variant::String("1"));
        benchmark::DoNotOptimize(list.Count());
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_SetEachNewName)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Complexity();

}  // namespace
}  // namespace report
