#!/usr/bin/env bash
# Fails when platform/trova_en.ts is not what scripts/update-translations.sh makes of the sources
# (a Czech text added, changed or removed without its English) or holds an unfinished entry.
set -euo pipefail
cd "$(dirname "$0")/.."
copy=$(mktemp --suffix=.ts)
trap 'rm -f "$copy"' EXIT
cp platform/trova_en.ts "$copy"
scripts/update-translations.sh "$copy"
status=0
if ! diff -u platform/trova_en.ts "$copy"; then
    echo "platform/trova_en.ts is out of date: run scripts/update-translations.sh and translate"
    status=1
fi
if grep -n 'type="unfinished"' "$copy"; then
    echo "platform/trova_en.ts has unfinished entries"
    status=1
fi
exit $status
