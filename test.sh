#!/usr/bin/env bash
# Installs what is missing, builds in build/ and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
ensure_packages "${TROVA_BUILD_PACKAGES[@]}"

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTROVA_WERROR=ON
cmake --build build -j2
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j2
