#!/bin/bash
# Builds the fuzz targets (clang: ASan + UBSan + libFuzzer) and runs them, as many at once as the
# machine has cores, each with its seeds from fuzz/seeds/<name>/.
#   fuzz/run.sh [name...]         each target for FUZZ_MAX_SECONDS (45); what .ci/run does
#   fuzz/run.sh --long [name...]  each until FUZZ_RUNS executions (10 million) or two hours
# Names are given without "fuzz_"; none means every target. Corpora, crash artifacts and logs go to
# build-fuzz/run/ (build-fuzz/long/ with --long); corpora are kept, so a later run goes on from
# there. Prints one line of figures per target, the end of the log of a target that found a fault,
# and exits non-zero when one did.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" = "--long" ]; then
    shift
    runs="${FUZZ_RUNS:-10000000}"
    max_seconds="${FUZZ_MAX_SECONDS:-7200}"
    out=build-fuzz/long
else
    runs="${FUZZ_RUNS:--1}"  # libFuzzer's "no limit"
    max_seconds="${FUZZ_MAX_SECONDS:-45}"
    out=build-fuzz/run
fi
jobs="${FUZZ_JOBS:-$(nproc)}"

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTOMBAGE_FUZZ=ON -DTOMBAGE_GUI=OFF -DTOMBAGE_BENCH=OFF >/dev/null
cmake --build build-fuzz --target fuzz_targets

if [ $# -eq 0 ]; then
    set -- $(cd build-fuzz/fuzz && ls fuzz_* | sed 's/^fuzz_//')
fi
mkdir -p "$out"

# Leaves the target's exit status in <name>.status: libFuzzer exits non-zero on a fault.
run_one() {
    local name="$1" seeds="fuzz/seeds/$1"
    local dirs=("$out/corpus_$name")
    [ -d "$seeds" ] && dirs+=("$seeds")
    mkdir -p "$out/corpus_$name" "$out/artifacts_$name"
    local status=0
    "build-fuzz/fuzz/fuzz_$name" -runs="$runs" -max_total_time="$max_seconds" -rss_limit_mb=2048 \
        -timeout=10 -print_final_stats=1 -artifact_prefix="$out/artifacts_$name/" "${dirs[@]}" \
        >"$out/$name.log" 2>&1 || status=$?
    echo "$status" >"$out/$name.status"
}
export -f run_one
export out runs max_seconds

printf '%s\n' "$@" | xargs -P "$jobs" -I{} bash -c 'run_one "$@"' _ {}

# The figures: executions and seconds of the final stats, coverage of the last status line.
failed=0
for name in "$@"; do
    log="$out/$name.log"
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    seconds=$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$log" | tail -n 1)
    coverage=$(grep -o 'cov: [0-9]* ft: [0-9]*' "$log" | tail -n 1 || true)
    rss=$(sed -n 's/^stat::peak_rss_mb: *//p' "$log" | tail -n 1)
    status=$(cat "$out/$name.status")
    echo "fuzz_$name: ${executions:-?} executions in ${seconds:-?} s, ${coverage:-?}," \
        "peak ${rss:-?} MB, exit status $status"
    if [ "$status" -ne 0 ]; then
        tail -n 40 "$log"
        failed=1
    fi
done
exit $failed
