#!/usr/bin/env bash
# Brings the translation sources (translations/*.ts) in step with the texts in the code:
# new texts come in unfinished, texts no longer in the code go. Translate the unfinished
# entries (Qt Linguist, or by hand in the .ts) and commit; the build compiles the .qm files
# and the test tst_translations lists every text that still has no translation.
#   translations/corvo_<lang>.ts    the plug-in's texts (src/)
#   translations/corekit_<lang>.ts  the host stand-in's texts (host/)
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh >/dev/null

lupdate=lupdate
[ -x /usr/lib/qt5/bin/lupdate ] && lupdate=/usr/lib/qt5/bin/lupdate

update() {
    local sources="$1" ts="$2"
    "$lupdate" -silent -no-obsolete -locations none "$sources" -ts "$ts"
    local open
    open=$(grep -c 'type="unfinished"' "$ts" || true)
    echo "$ts: $(grep -c '<message' "$ts") texts, $open without a translation"
}

for ts in translations/corvo_*.ts; do update src "$ts"; done
for ts in translations/corekit_*.ts; do update host "$ts"; done
