#!/usr/bin/env bash
# Installs what Glyphor needs on Debian 12 (only what is missing), then configures and builds it.
# Quick when everything is already there.
#   setup.sh [TARGET...]   builds only the targets named (glyphor.sh: the program alone), or
#                          without any, everything: the program, its tests and the benchmarks.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
    g++ cmake make pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgl-dev
    libfontconfig-dev libfreetype-dev libharfbuzz-dev libharfbuzz-bin libicu-dev libcairo2-dev
    libarchive-dev
    fontconfig fonts-liberation2 fonts-dejavu-core libpango-1.0-0
    xvfb xauth xdotool x11-utils x11-xserver-utils trayer openbox
    qt6-wayland weston sway dbus-daemon at-spi2-core gir1.2-atspi-2.0 python3-gi
    python3 python3-fonttools python3-brotli python3-pil poppler-utils chromium cups libcups2-dev
    fonts-urw-base35 fonts-noto-color-emoji fonts-stix fonts-noto-core
    librsvg2-bin desktop-file-utils appstream lintian dpkg-dev
    clang libclang-rt-14-dev
)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ $status == "install ok installed" ]] || missing+=("$package")
done

if ((${#missing[@]})); then
    echo "Installation de : ${missing[*]}"
    sudo=()
    ((EUID == 0)) || sudo=(sudo)
    export DEBIAN_FRONTEND=noninteractive
    "${sudo[@]}" apt-get update -qq
    # No recommended packages: the window manager and tray host would bring system fonts along.
    "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

build_dir=${GLYPHOR_BUILD_DIR:-build}
if [[ ! -f $build_dir/CMakeCache.txt ]]; then
    cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
targets=()
for target in "$@"; do
    targets+=(--target "$target")
done
# GLYPHOR_JOBS: fewer compile jobs, on a machine shared with other work.
cmake --build "$build_dir" -j"${GLYPHOR_JOBS:-$(nproc)}" "${targets[@]}"
