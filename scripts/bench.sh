#!/usr/bin/env bash
# Builds the program in release mode and benchmarks it.
#   bench.sh [options]                 the window-free benchmark; options go to it
#   bench.sh --window [designs...]     the real window under its own Xvfb (software GL):
#                                      frames per second and simulated time per second
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$ROOT/scripts/setup.sh"
bash "$ROOT/scripts/build.sh" build -DCMAKE_BUILD_TYPE=Release
if [[ "${1:-}" == "--window" ]]; then
  shift
  exec python3 "$ROOT/bench/window_bench.py" --binary "$ROOT/build/tremora" --source "$ROOT" "$@"
fi
exec "$ROOT/build/tremora_bench" --source "$ROOT" "$@"
