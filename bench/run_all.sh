#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs every benchmark program of the build, then the whole-process measurements.
set -u
build=${1:-build}
status=0
for program in "$build"/bench/*Bench; do
    [ -x "$program" ] || continue
    [ "$(basename "$program")" = PacedBench ] && continue  # needs a display: paced.sh runs it
    echo "== $(basename "$program")"
    QT_QPA_PLATFORM=offscreen "$program" --benchmark_min_time=0.2 || status=1
done
for script in "$(dirname "$0")"/*.sh; do
    case "$(basename "$script")" in run_all.sh | xvfb.sh) continue ;; esac
    echo "== $(basename "$script")"
    bash "$script" "$build" || status=1
done
# The random-play soak, over many more games than make test plays: SOAK_GAMES=200 make bench.
if [ "${SOAK_GAMES:-0}" -gt 0 ]; then
    echo "== soak: $SOAK_GAMES games"
    start=$(date +%s)
    TARNWICK_SOAK_GAMES=$SOAK_GAMES QT_QPA_PLATFORM=offscreen \
        "$build"/tests/tarnwick_tests --gtest_filter='Soak.*' --gtest_brief=1 || status=1
    echo "soak: $SOAK_GAMES games of 300 presses in $(( $(date +%s) - start )) s"
fi
exit $status
