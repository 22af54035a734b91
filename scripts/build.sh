#!/usr/bin/env bash
# Configures and builds one build tree: build.sh <dir> [cmake options...]
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
DIR="$1"; shift
GENERATOR=()
command -v ninja >/dev/null && GENERATOR=(-G Ninja)
if [[ ! -f "$ROOT/$DIR/CMakeCache.txt" ]]; then
  cmake -S "$ROOT" -B "$ROOT/$DIR" "${GENERATOR[@]}" "$@" >/dev/null
else
  cmake -S "$ROOT" -B "$ROOT/$DIR" "$@" >/dev/null
fi
cmake --build "$ROOT/$DIR" -j "$(nproc 2>/dev/null || echo 2)"
