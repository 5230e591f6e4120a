#!/usr/bin/env bash
# Builds the Debian package build/trova_<version>_<arch>.deb from the install rules (CPack) and
# checks it: lintian, and the desktop entry and AppStream metadata as installed.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
ensure_packages "${TROVA_BUILD_PACKAGES[@]}" "${TROVA_PACKAGE_PACKAGES[@]}"

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTROVA_WERROR=ON -DCMAKE_INSTALL_PREFIX=/usr
cmake --build build -j2
rm -f build/trova_*.deb
(cd build && cpack -G DEB)
package=$(ls build/trova_*.deb)

echo "== lintian $package =="
lintian --fail-on error,warning "$package"

echo "== desktop entry and AppStream metadata as installed =="
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$package" "$unpacked"
desktop-file-validate "$unpacked"/usr/share/applications/*.desktop
appstreamcli validate --no-net "$unpacked"/usr/share/metainfo/*.metainfo.xml
echo "$package"
