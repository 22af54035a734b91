#!/usr/bin/env bash
# Sets everything up, builds the program and starts it in the folder that holds save/.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$ROOT/scripts/setup.sh"
bash "$ROOT/scripts/build.sh" build -DCMAKE_BUILD_TYPE=Release -DTREMORA_BUILD_TESTS=OFF
cd "$ROOT"
exec "$ROOT/build/tremora"
