#!/usr/bin/env bash
# Builds everything and runs the whole test suite through CTest.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/build.sh
dir="${CORVO_BUILD_DIR:-build}"
cd "$dir"
exec ctest --output-on-failure -j2
