#!/usr/bin/env bash
# Sets everything up, builds with the address and undefined-behaviour sanitizers and
# runs every test: unit, user-interface and end-to-end (the real program under Xvfb).
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$ROOT/scripts/setup.sh"
bash "$ROOT/scripts/build.sh" build-tests -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTREMORA_SANITIZE=ON
cd "$ROOT/build-tests"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
status=0
ctest --output-on-failure -j "$(nproc 2>/dev/null || echo 2)" "$@" || status=$?
# ctest lists a skipped test without its reason; the tests say it in a "skipped: " line.
reasons="$(awk '/^[0-9]+\/[0-9]+ Testing: /{name=$3} /^skipped: /{print "  " name ": " $0}' \
  Testing/Temporary/LastTest.log 2>/dev/null || true)"
[[ -z "$reasons" ]] || printf 'Why tests were skipped:\n%s\n' "$reasons"
exit "$status"
