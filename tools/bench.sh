#!/usr/bin/env bash
# Builds the benchmarks (Release) and runs them with repetitions; prints the medians.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh libbenchmark-dev
dir="${CORVO_BENCH_BUILD_DIR:-build-bench}"
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release -DCORVO_BUILD_BENCH=ON -DCORVO_BUILD_TESTS=OFF >/dev/null
cmake --build "$dir" -j2 --target bench_block bench_opcua bench_opcuaeditor bench_dialog hwcfg
"$dir/bin/bench_block" --benchmark_repetitions="${CORVO_BENCH_REPETITIONS:-9}" \
    --benchmark_report_aggregates_only=true "$@"
"$dir/bin/bench_opcua" --benchmark_repetitions="${CORVO_BENCH_REPETITIONS:-9}" \
    --benchmark_report_aggregates_only=true
"$dir/bin/bench_opcuaeditor" --runs "${CORVO_BENCH_REPETITIONS:-9}"
# The dialog on the sample project and on a generated one of 50 000 symbols and records.
large="$(mktemp -d)"
trap 'rm -rf "$large"' EXIT
"$dir/bin/hwcfg" opcua generate "$large" >/dev/null
"$dir/bin/bench_dialog" --runs "${CORVO_BENCH_REPETITIONS:-9}" --large "$large/opcua-large.json"
