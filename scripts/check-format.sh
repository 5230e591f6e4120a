#!/usr/bin/env bash
# Fails when a C++ file differs from the checked-in .clang-format (Debian 12's clang-format 14).
set -euo pipefail
cd "$(dirname "$0")/.."

unformatted=$(git ls-files '*.cpp' '*.h' | xargs -r clang-format --dry-run 2>&1 | grep -oE '^[^:]+\.(cpp|h)' | sort -u || true)
if [ -n "$unformatted" ]; then
    echo "files that differ from .clang-format (run clang-format -i on them):"
    echo "$unformatted"
    exit 1
fi
echo "format: every C++ file matches .clang-format"
