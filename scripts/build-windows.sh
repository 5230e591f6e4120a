#!/usr/bin/env bash
# Builds the Qt-free part for 64-bit Windows with MinGW-w64 in build-windows/: the file layer,
# the profile store, the planner and build-windows/planner/korax.exe, linked statically so that
# it runs on a Windows machine without other files.
#   scripts/build-windows.sh            build
#   scripts/build-windows.sh --test     build, then run the store's cases and the golden plans
#                                       against the Windows build under wine64
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
ensure_packages "${TROVA_WINDOWS_PACKAGES[@]}"

cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
      -DCMAKE_BUILD_TYPE=Release -DTROVA_WERROR=ON
cmake --build build-windows -j2
ls -l build-windows/planner/korax.exe
if [ "${1:-}" = "--test" ]; then
    ctest --test-dir build-windows --output-on-failure -V | grep -E '^[0-9]+: [a-z]+: [0-9]+ passed|tests passed|FAIL'
fi
