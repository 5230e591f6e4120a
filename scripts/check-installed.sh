#!/usr/bin/env bash
# Runs the installed T/ROVA (from the package, along PATH) outside the source tree: korax plans
# the installed demo in a temporary folder, trova-plan makes a PDF of the plan, and
# trova-desktop with a temporary HOME makes the user's folder and opens the window on an Xvfb
# with openbox, where "Výpočet" runs the planner and shows the plan in trova-plan, and both
# windows are closed with Esc.
#   scripts/check-installed.sh [SCREENSHOT.png]   (the screenshot needs ImageMagick's import)
set -euo pipefail
screenshot=${1:+$(realpath "$1")}
work=$(mktemp -d)
pids=()
cleanup() {
    local i
    # The last started first: the window, then openbox, then the X server under them.
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
cd "$work"

echo "== korax on the installed demo =="
mkdir plan && cp "$(dirname "$(command -v korax)")/../share/trova/profile.dat" plan/
(cd plan && korax)
plan=plan/$(sed -n 's/^PlanFile: *\([^\r]*\)\r\?$/\1/p' plan/profile.dat)
test -s "$plan"
head -3 "$plan" | iconv -f CP1250 -t UTF-8

echo "== trova-plan --pdf =="
trova-plan --pdf plan.pdf "$plan"
pdfinfo plan.pdf | grep -E '^Pages:'

echo "== trova-desktop with a new HOME, on an Xvfb with openbox =="
Xvfb -displayfd 3 -screen 0 1280x1024x24 -dpi 96 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
timeout 30 sh -c 'until [ -s "$1" ]; do sleep 0.1; done' - "$work/display"
export DISPLAY=:$(cat "$work/display")
openbox --sm-disable &
pids+=($!)
timeout 30 sh -c 'until xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"; do sleep 0.1; done'

mkdir home
env -u XDG_DATA_HOME HOME="$work/home" QT_QPA_PLATFORM=xcb trova-desktop </dev/null >"$work/trova.log" 2>&1 &
trova=$!
pids+=("$trova")
window=$(timeout 60 xdotool search --sync --onlyvisible --name '^T/ROVA$' | head -1)
folder=$work/home/.local/share/trova
echo "window $window, working folder $(readlink "/proc/$trova/cwd")"
test "$(readlink "/proc/$trova/cwd")" = "$folder"
cmp "$folder/profile.dat" plan/profile.dat
test "$(readlink "$folder/korax.exe")" = "$(command -v korax)"
[ -z "$screenshot" ] || { sleep 1; import -window root "$screenshot"; echo "screenshot $screenshot"; }

# "Výpočet" from the first page runs the planner through the link, and the plan opens in the
# installed viewer beside trova.
xdotool windowactivate --sync "$window" key ctrl+Tab
xdotool windowactivate --sync "$window" key Return
viewer=$(timeout 60 xdotool search --sync --onlyvisible --name 'plán ponoru$' | head -1)
echo "plan window $viewer: $(xdotool getwindowname "$viewer")"
test -s "$folder/1plan.out"
xdotool windowactivate --sync "$viewer" key Escape

# After a run, closing saves without asking.
xdotool windowactivate --sync "$window" key Escape
timeout 60 tail --pid="$trova" -f /dev/null
wait "$trova"
grep -q '^PlanFile: plan.out' "$folder/profile.dat"
echo "the window opened in $folder, ran the planner, showed the plan and closed"
