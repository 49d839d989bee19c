#!/usr/bin/env bash
# Builds the Debian package (cpack) and checks it: the package unpacked into a scratch root
# (dpkg -x, nothing is installed on this machine), then hwcfg run from there on its own.
# The package lands in build/ (or $CORVO_BUILD_DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
# dpkg-shlibdeps finds the dependencies; CPack looks at each file with `file`.
tools/setup.sh dpkg-dev file
tools/build.sh
dir="${CORVO_BUILD_DIR:-build}"
(cd "$dir" && cpack -G DEB >/dev/null)
deb="$(ls -t "$dir"/corvo_*.deb | head -n 1)"
root="$(mktemp -d)"
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
echo "$deb: $(du -h "$deb" | cut -f1)"
dpkg-deb -f "$deb" Package Version Architecture Depends Recommends
bash tools/check-install.sh "$root/opt/corvo" "$(pwd)"
