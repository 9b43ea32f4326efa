#!/usr/bin/env bash
# Runs every benchmark program of the build, then the whole-process measurements.
set -u
build=${1:-build}
status=0
for program in "$build"/bench/*Bench; do
    [ -x "$program" ] || continue
    echo "== $(basename "$program")"
    QT_QPA_PLATFORM=offscreen "$program" --benchmark_min_time=0.2 || status=1
done
for script in "$(dirname "$0")"/*.sh; do
    [ "$(basename "$script")" = run_all.sh ] && continue
    echo "== $(basename "$script")"
    bash "$script" "$build" || status=1
done
exit $status
