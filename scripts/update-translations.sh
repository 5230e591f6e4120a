#!/usr/bin/env bash
# Brings platform/trova_en.ts up to date with the Czech texts of the window and the viewer: new
# texts come in unfinished (translate them in the file or with Qt Linguist), texts no longer in
# the sources are dropped. The texts of platform/Texts.h are found by their TROVA_TEXT marker.
#   scripts/update-translations.sh [TS_FILE]
set -euo pipefail
cd "$(dirname "$0")/.."
lupdate=/usr/lib/qt6/bin/lupdate
[ -x "$lupdate" ] || lupdate=lupdate
"$lupdate" -silent -no-obsolete -locations none -source-language cs -target-language en \
    -tr-function-alias QT_TRANSLATE_NOOP+=TROVA_TEXT app ui run platform viewer -ts "${1:-platform/trova_en.ts}"
