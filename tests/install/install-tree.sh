#!/usr/bin/env bash
# `cmake --install` of the build into a fresh prefix, then hwcfg from there on its own.
#   install-tree.sh <build dir> <source dir> [cmake]
set -euo pipefail
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
"${3:-cmake}" --install "$1" --prefix "$prefix" >/dev/null
bash "$2/tools/check-install.sh" "$prefix" "$2"
