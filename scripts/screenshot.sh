#!/usr/bin/env bash
# Takes the README's screenshot of the main window: Glyphor on a private Xvfb, with the machine's
# fonts and a fresh settings folder. Everything started here is stopped here, by process id.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${GLYPHOR_BUILD_DIR:-build}
out=${1:-docs/screenshot.png}
cmake --build "$build" --target glyphor xgrab >/dev/null

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 100); do [[ -s $work/display ]] && break; sleep 0.05; done
export DISPLAY=:$(head -n1 "$work/display")

mkdir -m 700 "$work/config" "$work/runtime"
XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime "$build/src/app/glyphor" 2>/dev/null &
pids+=($!)
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Glyphor 3\.5' | head -n1)
sleep 1 # let the list finish its first paint
eval "$(xdotool getwindowgeometry --shell "$window")"
"$build/tests/e2e/xgrab" shot "$out" "$X" "$Y" "$WIDTH" "$HEIGHT"
echo "$out"
