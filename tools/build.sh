#!/usr/bin/env bash
# Configures and builds into build/ (or $CORVO_BUILD_DIR) with two jobs.
set -euo pipefail
cd "$(dirname "$0")/.."
"$(pwd)/tools/setup.sh"
dir="${CORVO_BUILD_DIR:-build}"
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE="${CORVO_BUILD_TYPE:-RelWithDebInfo}" "$@" >/dev/null
cmake --build "$dir" -j2
