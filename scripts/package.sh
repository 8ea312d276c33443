#!/usr/bin/env bash
# Makes the Debian package of Glyphor (build/glyphor_<version>_<arch>.deb) and installs it with
# apt, which brings what it depends on. After the same set-up as the other scripts.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
build_dir=${GLYPHOR_BUILD_DIR:-build}
(cd "$build_dir" && cpack -G DEB -B "$PWD")
package=$(ls -t "$build_dir"/glyphor_*.deb | head -n 1)
# apt-get takes a package file by its path, which a relative one must show ("./build/...").
[[ $package == /* ]] || package=./$package
sudo=()
((EUID == 0)) || sudo=(sudo)
"${sudo[@]}" apt-get install -y "$package"
echo "Glyphor est installé : cherchez « Glyphor » dans le menu des applications."
