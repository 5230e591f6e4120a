#!/usr/bin/env bash
# Runs every fuzzer of a fuzz build for the given seconds each, seeded with the test data.
# Usage: scripts/fuzz.sh BUILD_DIR SECONDS
set -euo pipefail
build=$1
seconds=$2
here=$(cd "$(dirname "$0")/.." && pwd)
status=0
for fuzzer in $(find "$build/fuzz" -type f -name 'fuzz_*' -perm -u+x | sort); do
    name=$(basename "$fuzzer")
    corpus="$build/corpus/$name"
    mkdir -p "$corpus"
    cp "$here"/demo/*.dat "$corpus/" 2>/dev/null || true
    find "$here/tests/data" -type f -exec cp {} "$corpus/" \; 2>/dev/null || true
    echo "== $name for ${seconds}s =="
    "$fuzzer" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$build/" "$corpus" \
        2>&1 | grep -E 'stat::number_of_executed_units|Done|ERROR|SUMMARY|crash' || status=1
done
exit $status
