#!/usr/bin/env bash
# Builds everything with clang under AddressSanitizer and UBSan, runs the test suite there,
# then runs each fuzz target for a while on a copy of its seed corpus.
#   CORVO_FUZZ_SECONDS   seconds per target (default 20)
#   CORVO_FUZZ_BUILD_DIR build folder (default build-fuzz)
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh clang libclang-rt-14-dev
dir="${CORVO_FUZZ_BUILD_DIR:-build-fuzz}"
seconds="${CORVO_FUZZ_SECONDS:-20}"

CC=clang CXX=clang++ cmake -S . -B "$dir" -DCORVO_FUZZ=ON -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_FLAGS="-O1" >/dev/null
cmake --build "$dir" -j2

export ASAN_OPTIONS="abort_on_error=1:detect_leaks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$(pwd)/fuzz/lsan.supp:print_suppressions=0"
(cd "$dir" && ctest --output-on-failure -j2)

for target in restore recompile compare catalog opcuasection opcuasettings opcuainterfaces opcuafile \
    opcuadragdata opcuadatablock opcuaeditormodel; do
    # Absolute paths: a target may change its working folder.
    work="$(pwd)/$dir/corpus/$target"
    mkdir -p "$work"
    echo "== fuzz_$target for ${seconds}s"
    log="$dir/fuzz_$target.log"
    if ! "$dir/bin/fuzz_$target" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 \
        -artifact_prefix="$(pwd)/$dir/" "$work" "$(pwd)/fuzz/corpus/$target" >"$log" 2>&1; then
        cat "$log"
        echo "fuzz_$target found a failure; the input is in $dir/" >&2
        exit 1
    fi
    grep -E '^(Done|stat::(number_of_executed_units|average_exec_per_sec|new_units_added))' "$log"
done
