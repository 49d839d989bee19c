#!/usr/bin/env bash
# Builds everything with clang under AddressSanitizer and UBSan, runs the test suite there,
# then fuzzes each target.
#
#   tools/fuzz.sh                 short run (CI): CORVO_FUZZ_SECONDS per target (default 20)
#                                 on a scratch copy of the seed corpus in the build folder
#   tools/fuzz.sh --minutes N     campaign: N minutes per target; each target's corpus grows
#                                 in <dir>/<target>/corpus and is kept for the next campaign,
#                                 findings land in <dir>/<target>/findings
#     --corpus-dir <dir>          default ${XDG_CACHE_HOME:-~/.cache}/corvo-fuzz; must lie
#                                 outside the source tree
#     --target <name>             restore, recompile, decode, compare, catalog, opcuasection,
#                                 opcuasettings, opcuainterfaces, opcuafile, opcuadragdata,
#                                 opcuadatablock, opcuaeditormodel or configjson
#                                 (repeatable; default all)
#     --skip-tests                do not run the test suite first
#
#   CORVO_FUZZ_BUILD_DIR          build folder (default build-fuzz)
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir="$(pwd)"

usage() {
    awk 'NR > 1 && /^#/ { sub(/^# ?/, ""); print; next } NR > 1 { exit }' "$0"
    exit 2
}

minutes=""
corpus_dir="${XDG_CACHE_HOME:-$HOME/.cache}/corvo-fuzz"
targets=()
run_tests=1
while [ $# -gt 0 ]; do
    case "$1" in
    --minutes) [ $# -ge 2 ] || usage; minutes="$2"; shift 2 ;;
    --corpus-dir) [ $# -ge 2 ] || usage; corpus_dir="$2"; shift 2 ;;
    --target) [ $# -ge 2 ] || usage; targets+=("$2"); shift 2 ;;
    --skip-tests) run_tests=0; shift ;;
    -h | --help) usage ;;
    *) echo "fuzz.sh: unknown argument $1" >&2; usage ;;
    esac
done
[ ${#targets[@]} -gt 0 ] || targets=(restore recompile decode compare catalog opcuasection opcuasettings opcuainterfaces
    opcuafile opcuadragdata opcuadatablock opcuaeditormodel configjson)
for target in "${targets[@]}"; do
    [ -d "fuzz/corpus/$target" ] || { echo "fuzz.sh: no target $target" >&2; exit 2; }
done
if [ -n "$minutes" ]; then
    [[ "$minutes" =~ ^[1-9][0-9]*$ ]] || { echo "fuzz.sh: --minutes takes a whole number" >&2; exit 2; }
    corpus_dir="$(realpath -m "$corpus_dir")"
    case "$corpus_dir/" in
    "$(pwd -P)"/*) echo "fuzz.sh: keep campaign corpora outside the source tree" >&2; exit 2 ;;
    esac
fi

tools/setup.sh clang libclang-rt-14-dev
dir="${CORVO_FUZZ_BUILD_DIR:-build-fuzz}"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
CC=clang CXX=clang++ cmake -S . -B "$dir" -DCORVO_FUZZ=ON -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_FLAGS="-O1" "${launcher[@]}" >/dev/null
cmake --build "$dir" -j2

export ASAN_OPTIONS="abort_on_error=1:detect_leaks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$source_dir/fuzz/lsan.supp:print_suppressions=0"
if [ "$run_tests" -eq 1 ]; then
    (cd "$dir" && ctest --output-on-failure -j2)
fi

failed=()
for target in "${targets[@]}"; do
    # Absolute paths: a target may change its working folder.
    if [ -n "$minutes" ]; then
        seconds=$((minutes * 60))
        work="$corpus_dir/$target/corpus"
        findings="$corpus_dir/$target/findings"
    else
        seconds="${CORVO_FUZZ_SECONDS:-20}"
        work="$source_dir/$dir/corpus/$target"
        findings="$source_dir/$dir/findings/$target"
    fi
    mkdir -p "$work" "$findings"
    log="$dir/fuzz_$target.log"
    echo "== fuzz_$target for ${seconds}s, corpus $work"
    # Configuration documents are text, a few pages long; binary inputs stay short.
    max_len=4096
    [ "$target" = configjson ] && max_len=65536
    # The seed corpus is read, never written: new inputs go to the first folder.
    if "$dir/bin/fuzz_$target" -max_total_time="$seconds" -max_len="$max_len" -timeout=10 \
        -print_final_stats=1 -artifact_prefix="$findings/" "$work" \
        "$source_dir/fuzz/corpus/$target" >"$log" 2>&1; then
        grep -E '^(Done|stat::(number_of_executed_units|average_exec_per_sec|new_units_added))' "$log"
    else
        tail -n 60 "$log"
        echo "fuzz_$target found a failure; the input is in $findings/, the log in $log" >&2
        failed+=("$target")
    fi
done
[ ${#failed[@]} -eq 0 ] || { echo "failures in: ${failed[*]}" >&2; exit 1; }
