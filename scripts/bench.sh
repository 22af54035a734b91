#!/usr/bin/env bash
# Builds the window-free benchmark in release mode and runs it; arguments go to it.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$ROOT/scripts/setup.sh"
bash "$ROOT/scripts/build.sh" build -DCMAKE_BUILD_TYPE=Release
exec "$ROOT/build/tremora_bench" --source "$ROOT" "$@"
