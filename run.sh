#!/usr/bin/env bash
# Installs what is missing, builds in build/, prepares the demo folder build/demo/ and
# starts T/ROVA there.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
ensure_packages "${TROVA_BUILD_PACKAGES[@]}"

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j2

demo=build/demo
mkdir -p "$demo"
# The user's edits in the demo folder survive a second start.
[ -f "$demo/profile.dat" ] || cp demo/profile.dat "$demo/profile.dat"
# The window starts the planner under the name it has always had.
cp build/planner/korax "$demo/korax.exe"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "No display: T/ROVA needs a graphical session (set DISPLAY, or run it under Xvfb)." >&2
    echo "The build is ready; the demo folder is $demo." >&2
    exit 1
fi
cd "$demo"
exec ../app/trova
