#!/usr/bin/env bash
# Runs hwcfg from an installed tree and fails when it does not work there on its own.
#   tools/check-install.sh <prefix> <source dir>
# <prefix> is the tree's root (where bin/hwcfg is). Nothing outside it may be used: no host
# data from the environment, no library path, and no output may name the source tree.
set -euo pipefail
prefix="$(cd "$1" && pwd -P)"
source_dir="$(cd "$2" && pwd -P)"
hwcfg="$prefix/bin/hwcfg"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
unset CORVO_HOST_HOME LD_LIBRARY_PATH
export QT_QPA_PLATFORM=offscreen LANG=C.UTF-8 LC_ALL=C.UTF-8

fail() {
    echo "check-install: $*" >&2
    exit 1
}

[ -x "$hwcfg" ] || fail "no $hwcfg"
for f in share/corvo/host/host.json share/corvo/project/line1.json; do
    [ -f "$prefix/$f" ] || fail "$f is not installed"
done
plugin="$(find "$prefix" -name libcorvocpu.so | head -n 1)"
[ -n "$plugin" ] || fail "the plug-in is not installed"
for qm in corvo_zh_CN.qm corekit_zh_CN.qm; do
    [ -f "$(dirname "$plugin")/$qm" ] || fail "$qm is not installed beside the plug-in"
done
# The host libraries from the tree itself, the rest from the system.
if ldd "$hwcfg" "$plugin" | grep -E 'not found|lib(corekit|helpkit|ifacekit|symbolkit)\.so' |
    grep -vF "=> $prefix/"; then
    fail "libraries not found in the tree"
fi

"$hwcfg" catalog >"$work/catalog.txt" || fail "hwcfg catalog failed: $(cat "$work/catalog.txt")"
grep -qx "Host data: $prefix/share/corvo/host" "$work/catalog.txt" ||
    fail "hwcfg catalog did not use the installed host data: $(head -n 1 "$work/catalog.txt")"
grep -q "0x00000021  R70" "$work/catalog.txt" || fail "the catalog lacks the sample modules"
"$hwcfg" demo --workdir "$work/demo" >"$work/demo.txt" 2>&1 ||
    fail "hwcfg demo failed: $(tail -n 5 "$work/demo.txt")"
# The translation beside the plug-in, as the host loads it.
"$hwcfg" --lang zh_CN demo --workdir "$work/demo-zh" >"$work/demo-zh.txt" 2>&1 ||
    fail "hwcfg --lang zh_CN demo failed: $(tail -n 5 "$work/demo-zh.txt")"
grep -q "compare: 模块公共信息不一致。" "$work/demo-zh.txt" ||
    fail "hwcfg --lang zh_CN did not show the plug-in's messages in Chinese"
if grep -F "$source_dir" "$work"/*.txt; then
    fail "hwcfg used the source tree"
fi
echo "check-install: hwcfg runs from $prefix on its own"
