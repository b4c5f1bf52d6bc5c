// Cost of the number and date formats, which run once per printed value.
#include <benchmark/benchmark.h>

#include "report/core/value/date_time.h"
#include "report/core/value/number_format.h"

namespace {

void BM_FloatToStr(benchmark::State& state) {
    double value = 1234.5678;
    for (auto _ : state) {
        benchmark::DoNotOptimize(report::FloatToStr(value));
        value += 0.001;
    }
}
BENCHMARK(BM_FloatToStr);

void BM_FloatToStrTiny(benchmark::State& state) {
    // The longest exact expansions: values near the smallest doubles.
    double value = 1e-300;
    for (auto _ : state)
        benchmark::DoNotOptimize(report::FloatToStr(value));
}
BENCHMARK(BM_FloatToStrTiny);

void BM_FormatFloatGrouped(benchmark::State& state) {
    double value = 1234567.891;
    for (auto _ : state) {
        benchmark::DoNotOptimize(report::FormatFloat("#,##0.00;(#,##0.00);'-'", value));
        value += 0.01;
    }
}
BENCHMARK(BM_FormatFloatGrouped);

void BM_FloatToStrNumber(benchmark::State& state) {
    double value = 1234567.891;
    for (auto _ : state) {
        benchmark::DoNotOptimize(report::FloatToStrNumber(value, 2));
        value += 0.01;
    }
}
BENCHMARK(BM_FloatToStrNumber);

void BM_StrToFloat(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(report::StrToFloat("-1234,5678E-2"));
}
BENCHMARK(BM_StrToFloat);

void BM_FormatDateTimeLong(benchmark::State& state) {
    report::DateTime value = 36114.5;
    for (auto _ : state) {
        benchmark::DoNotOptimize(report::FormatDateTime("dddd d mmmm yyyy hh:nn:ss", value));
        value += 1.001;
    }
}
BENCHMARK(BM_FormatDateTimeLong);

void BM_StrToDate(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(report::StrToDate("15/11/1998"));
}
BENCHMARK(BM_StrToDate);

}  // namespace

BENCHMARK_MAIN();
