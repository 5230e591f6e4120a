#!/usr/bin/env bash
# Prints the tests' share of the C++ code: non-blank, non-comment lines of tests/ against the
# rest of the tree without bench/ and fuzz/. We aim at 25-33 %.
set -euo pipefail
cd "$(dirname "$0")/.."

count() { xargs -r cat | grep -c -v -E '^\s*(//.*)?$' || true; }
sources() { git ls-files | grep -E '\.(cpp|h|hpp|cc)$'; }

tests=$(sources | grep -E '^tests/' | count)
code=$(sources | grep -v -E '^(tests|bench|fuzz)/' | count)
share=$((1000 * tests / code))
echo "tests are $((share / 10)).$((share % 10)) % of the code ($tests test lines, $code code lines)"
