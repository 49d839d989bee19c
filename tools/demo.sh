#!/usr/bin/env bash
# Builds everything and runs the demo host on the bundled sample project.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/build.sh
dir="${CORVO_BUILD_DIR:-build}"
exec "$dir/bin/hwcfg" demo --workdir "$dir/demo"
