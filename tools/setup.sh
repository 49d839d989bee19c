#!/usr/bin/env bash
# Installs the Debian packages the build needs, when they are missing.
# Usage: tools/setup.sh [extra package ...]
set -euo pipefail

# Qt's tools compile the translations; the Chinese font lets the tests check the Chinese
# pages for cut-off text; Qt's own catalogs translate its standard buttons and dialogs.
packages=(cmake make g++ qtbase5-dev qttools5-dev-tools fonts-dejavu-core fonts-wqy-microhei
          qttranslations5-l10n "$@")
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
if ! $sudo apt-get install -y --no-install-recommends "${missing[@]}"; then
    $sudo apt-get update
    $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
