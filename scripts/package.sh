#!/usr/bin/env bash
# Builds the Debian package build/tremora_<version>_amd64.deb (release build, installed under /usr).
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$ROOT/scripts/setup.sh"
bash "$ROOT/scripts/build.sh" build -DCMAKE_BUILD_TYPE=Release -DTREMORA_BUILD_TESTS=OFF -DCMAKE_INSTALL_PREFIX=/usr
cd "$ROOT/build"
cpack -G DEB >cpack.log 2>&1 || { cat cpack.log >&2; exit 1; }
ls "$ROOT"/build/tremora_*_amd64.deb
