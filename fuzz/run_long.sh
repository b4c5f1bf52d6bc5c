#!/bin/bash
# Long fuzzing runs: each target until FUZZ_RUNS executions (10 million) or FUZZ_MAX_SECONDS
# (two hours), whichever comes first, as many at once as the machine has cores.
#   fuzz/run_long.sh                      every target
#   fuzz/run_long.sh ini_file dictionary  only these (names without "fuzz_")
# Corpora, crash artifacts and logs go to build-fuzz/long/; the corpora are kept between runs, so
# a second run goes on from where the first stopped. Prints one line of figures per target and
# exits non-zero when a target found a fault.
set -euo pipefail
cd "$(dirname "$0")/.."

runs="${FUZZ_RUNS:-10000000}"
max_seconds="${FUZZ_MAX_SECONDS:-7200}"
jobs="${FUZZ_JOBS:-$(nproc)}"
out=build-fuzz/long

if [ ! -f build-fuzz/build.ninja ]; then
    CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DTOMBAGE_FUZZ=ON -DTOMBAGE_GUI=OFF -DTOMBAGE_BENCH=OFF
fi
cmake --build build-fuzz --target fuzz_targets

if [ $# -eq 0 ]; then
    set -- $(cd build-fuzz/fuzz && ls fuzz_* | sed 's/^fuzz_//')
fi
mkdir -p "$out"

run_one() {
    local name="$1" corpus="$out/corpus_$1" artifacts="$out/artifacts_$1/" seeds="fuzz/seeds/$1"
    mkdir -p "$corpus" "$artifacts"
    local dirs=("$corpus")
    [ -d "$seeds" ] && dirs+=("$seeds")
    "build-fuzz/fuzz/fuzz_$name" -runs="$runs" -max_total_time="$max_seconds" -rss_limit_mb=2048 \
        -timeout=10 -print_final_stats=1 -artifact_prefix="$artifacts" "${dirs[@]}" \
        >"$out/$name.log" 2>&1
}
export -f run_one
export out runs max_seconds

status=0
printf '%s\n' "$@" | xargs -P "$jobs" -I{} bash -c 'run_one "$@"' _ {} || status=1

# The figures: executions, seconds, coverage and features of the last status line, faults found.
for name in "$@"; do
    log="$out/$name.log"
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    seconds=$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$log" | tail -n 1)
    coverage=$(grep -o 'cov: [0-9]* ft: [0-9]*' "$log" | tail -n 1)
    rss=$(sed -n 's/^stat::peak_rss_mb: *//p' "$log" | tail -n 1)
    faults=$(find "$out/artifacts_$name" -type f | wc -l)
    echo "fuzz_$name: ${executions:-?} executions in ${seconds:-?} s, ${coverage:-?}," \
        "peak ${rss:-?} MB, faults: $faults"
    [ "$faults" -eq 0 ] || status=1
done
exit $status
