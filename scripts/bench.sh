#!/usr/bin/env bash
# Builds the program in release mode and benchmarks it.
#   bench.sh [options]                 the window-free benchmark; options go to it
#   bench.sh --window [designs...]     the real window under its own Xvfb (software GL):
#                                      frames per second and simulated time per second
#   bench.sh --lab [options]           the quake lab's sweeps on one thread and on every core
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$ROOT/scripts/setup.sh"
bash "$ROOT/scripts/build.sh" build -DCMAKE_BUILD_TYPE=Release
if [[ "${1:-}" == "--window" ]]; then
  shift
  exec python3 "$ROOT/bench/window_bench.py" --binary "$ROOT/build/tremora" --source "$ROOT" "$@"
fi
if [[ "${1:-}" == "--lab" ]]; then
  shift
  exec python3 "$ROOT/bench/lab_bench.py" --lab "$ROOT/build/tremora-lab" --source "$ROOT" "$@"
fi
exec "$ROOT/build/tremora_bench" --source "$ROOT" "$@"
