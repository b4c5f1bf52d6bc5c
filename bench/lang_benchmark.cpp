// Speed of the report language: evaluation of precompiled expressions, conversion to postfix
// and execution of script lines.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "report/core/language/build_context.h"
#include "report/core/language/engine_core.h"

namespace {

// A host that answers one name, as the draw program answers its template's names.
class PriceHost : public report::BuildContext {
  public:
    void OnGetValue(const std::string& name, report::Variant& value) override {
        if (name == "PRICE") value = report::Variant::Double(12.5);
    }
};

// `price * 2 + 1`: five tokens, the name answered by the host.
void BM_EvaluatePrecompiled(benchmark::State& state) {
    report::EngineCore engine;
    PriceHost host;
    engine.Resolver().Attach(&host);
    report::Parser& parser = engine.SharedParser();
    const std::string postfix = parser.ConvertToPostfix("price * 2 + 1");
    for (auto _ : state) {
        benchmark::DoNotOptimize(parser.EvaluatePostfix(postfix));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_EvaluatePrecompiled);

void BM_ConvertToPostfix(benchmark::State& state) {
    report::Parser parser;
    const std::string text = "price * 2 + 1";
    for (auto _ : state) {
        benchmark::DoNotOptimize(parser.ConvertToPostfix(text));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ConvertToPostfix);

void BM_ConvertToPostfixLonger(benchmark::State& state) {
    report::Parser parser;
    const std::string text =
        "IF([Montant] > 1000, COPY(UPPERCASE([Nom]), 1, 3), 'x') + STR(ROUND(a * 1.5))";
    for (auto _ : state) {
        benchmark::DoNotOptimize(parser.ConvertToPostfix(text));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ConvertToPostfixLonger);

// A counting loop: each pass executes three lines (the test, the assignment, the jump back).
void BM_RunScriptLines(benchmark::State& state) {
    report::EngineCore engine;
    std::vector<std::string> compiled;
    std::vector<std::string> errors;
    engine.Interpreter().CompileScript({"begin i := 0; while i < 100000 do i := i + 1 end"},
                                       compiled, errors);
    const int64_t linesPerRun = 1 + 3 * 100000 + 1;
    for (auto _ : state) {
        engine.Interpreter().RunScript(compiled);
    }
    state.SetItemsProcessed(state.iterations() * linesPerRun);
}
BENCHMARK(BM_RunScriptLines)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
