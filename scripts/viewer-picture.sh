#!/usr/bin/env bash
# Redraws the README's picture of the plan viewer: our planner on a deep trimix dive with two
# deco gases and Pyle deep stops, the plan shown by trova-plan offscreen.
#   scripts/viewer-picture.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" -j2 --target korax trova-plan
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cp viewer/picture/profile.dat "$folder/"
(cd "$folder" && "$OLDPWD/$build/planner/korax")
(cd "$folder" && "$OLDPWD/$build/app/trova-plan" --png "$OLDPWD/viewer/picture/trova-plan.png" plan.out)
