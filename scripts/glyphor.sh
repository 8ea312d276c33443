#!/usr/bin/env bash
# Sets Glyphor up (packages, build of the program alone: the tests are built by test.sh) and
# starts it. Without a display, it starts on a virtual one.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh glyphor
program=${GLYPHOR_BUILD_DIR:-build}/src/app/glyphor

if [[ -n ${DISPLAY:-} || -n ${WAYLAND_DISPLAY:-} ]]; then
    exec "$program" "$@"
fi

echo "Aucun écran : Glyphor démarre sur un écran virtuel (Xvfb). Ctrl+C pour l'arrêter."
Xvfb -displayfd 4 -screen 0 1024x768x24 -nolisten tcp 4>/tmp/glyphor-xvfb.$$ &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; rm -f /tmp/glyphor-xvfb.$$' EXIT
for _ in $(seq 50); do
    [[ -s /tmp/glyphor-xvfb.$$ ]] && break
    sleep 0.1
done
DISPLAY=:$(head -n1 /tmp/glyphor-xvfb.$$) "$program" "$@"
