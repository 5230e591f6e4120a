#!/usr/bin/env bash
# Fails when an include points up the layers, when a Qt-free library includes Qt, or (given a
# configured build folder) when the targets link in a cycle.
# The layers, top to bottom: app -> ui -> {run, ui/transfer} -> profile store -> files;
# ui, run and viewer -> platform (the Qt layer) -> files; planner -> {plan format, profile store};
# viewer -> plan format -> files. Tests, benchmarks, fuzzers and tools sit on top. A subfolder is a
# layer of its own below its parent: its files never include the parent's.
set -uo pipefail
cd "$(dirname "$0")/.."

# The folders each folder's files may include from (besides their own).
declare -A allowed=(
    [files]="files"
    [platform]="platform files"
    [profile]="profile files"
    [planformat]="planformat files"
    [planner]="planner planformat profile files"
    [run]="run profile platform files"
    [viewer]="viewer planformat platform files"
    [ui/transfer]="ui/transfer profile platform files"
    [ui]="ui ui/transfer run profile platform files"
    [app]="app ui run profile platform files"
)
# The libraries without Qt, one folder each: the file layer, the store, the plan format and the
# planner (the Windows build and the fuzzers build them without Qt).
qt_free="files profile planformat planner"

# The layer a file or an include belongs to: its subfolder when that is a layer, else its folder.
layer_of() {
    local path=$1 folder=${1%%/*}
    local rest=${path#*/}
    local sub=$folder/${rest%%/*}
    if [ "$sub" != "$path" ] && [ -n "${allowed[$sub]:-}" ]; then
        echo "$sub"
    else
        echo "$folder"
    fi
}

failures=0
while IFS= read -r file; do
    folder=$(layer_of "$file")
    [ -n "${allowed[$folder]:-}" ] || continue
    while IFS= read -r included; do
        [ "${included%%/*}" = "$included" ] && continue # generated forms and moc files
        target=$(layer_of "$included")
        if [[ " ${allowed[$folder]} " != *" $target "* ]]; then
            echo "upward include: $file includes \"$included\""
            failures=$((failures + 1))
        fi
    done < <(sed -n 's/^#include "\([^"]*\)".*/\1/p' "$file")
done < <(git ls-files '*.cpp' '*.h')

for folder in $qt_free; do
    while IFS= read -r file; do
        if grep -q '^#include <Q' "$file"; then
            echo "Qt in a Qt-free library: $file"
            failures=$((failures + 1))
        fi
    done < <(git ls-files "$folder/*.cpp" "$folder/*.h")
done

# With a configured build folder: the targets' link graph must have no cycle.
if [ -n "${1:-}" ]; then
    graph=$(mktemp -d)
    cmake --graphviz="$graph/targets.dot" "$1" >/dev/null
    edges=$(sed -n 's/^ *"\(node[0-9]*\)" -> "\(node[0-9]*\)".*/\1 \2/p' "$graph/targets.dot")
    rm -rf "$graph"
    if ! echo "$edges" | tsort >/dev/null 2>&1; then
        echo "the targets link in a cycle"
        failures=$((failures + 1))
    fi
fi

if [ "$failures" -gt 0 ]; then
    echo "$failures layering problem(s)"
    exit 1
fi
echo "layers: every include points down, Qt-free libraries have no Qt${1:+, the targets link without a cycle}"
