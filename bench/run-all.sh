#!/usr/bin/env bash
# Runs every benchmark offscreen and prints their JSON lines. Usage: bench/run-all.sh [build-dir]
set -u
build=${1:-build}
export QT_QPA_PLATFORM=offscreen QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu LC_ALL=C.UTF-8
[ "$(id -u)" -eq 0 ] && export QTWEBENGINE_DISABLE_SANDBOX=1
for program in "$build"/bin/bench_*; do
    [ -x "$program" ] || continue
    # The soak runs for half an hour: only when asked for.
    [ "$(basename "$program")" = bench_soak ] && [ "${BENCH_SOAK:-0}" != 1 ] && continue
    echo "# $(basename "$program")" >&2
    "$program" 2>/dev/null | grep '^{'
done
