#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up to the first frame, as the desktop sees it: from exec to the X server's MapNotify of
# the program's window (bench/MapTime.cpp), for the game and for a bare Qt window with a menu bar
# over a 701 x 501 image, interleaved, under Xvfb with a session bus running as on any desktop.
# Measured on a quiet machine and beside a job that churns memory (bench/Churn.cpp); the median
# and the 90th percentile of each, and their ratios. Then the game on a screen of ratio 2
# (QT_SCALE_FACTOR=2), as a ratio to the game at 1.
set -u
build=$(cd "${1:-build}" && pwd)
runs=${RUNS:-15}
if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ] && command -v dbus-run-session >/dev/null; then
    exec dbus-run-session -- bash "$0" "$build"
fi
. "$(dirname "$0")/xvfb.sh"
[ -x "$build/bench/map_time" ] || { echo "startup: skipped (map_time not built: apt-get install libx11-dev)"; exit 0; }
start_xvfb || { echo "startup: skipped"; exit 0; }
config=$(mktemp -d)
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
churn_pid=
trap 'stop_xvfb; [ -n "$churn_pid" ] && kill "$churn_pid" 2>/dev/null; rm -rf "$config" "$XDG_RUNTIME_DIR"' EXIT

# Milliseconds to the program's first mapped window.
first_frame() {
    (cd "$(dirname "$1")" && XDG_CONFIG_HOME=$config QT_QPA_PLATFORM=xcb \
        QT_SCALE_FACTOR=${SCALE:-1} exec "$build/bench/map_time" "./$(basename "$1")") 2>/dev/null
}

# The median and the 90th percentile of the numbers on standard input.
median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
p90() { sort -n | awk '{a[NR]=$1} END {i=int(NR*0.9+0.999); print a[i]}'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }

measure() {
    local game_times=() bare_times=() g b
    for _ in $(seq "$runs"); do
        g=$(first_frame "$build/bin/tarnwick") || exit 1
        b=$(first_frame "$build/bench/bare_window") || exit 1
        game_times+=("$g") bare_times+=("$b")
    done
    local gm gp bm bp
    gm=$(printf '%s\n' "${game_times[@]}" | median)
    gp=$(printf '%s\n' "${game_times[@]}" | p90)
    bm=$(printf '%s\n' "${bare_times[@]}" | median)
    bp=$(printf '%s\n' "${bare_times[@]}" | p90)
    echo "startup to first frame, $1: tarnwick median ${gm} ms, 90th ${gp} ms;" \
         "bare Qt window median ${bm} ms, 90th ${bp} ms; ratio median $(ratio "$gm" "$bm")," \
         "90th $(ratio "$gp" "$bp")"
    echo "  tarnwick: ${game_times[*]}"
    echo "  bare:     ${bare_times[*]}"
}

measure "quiet"
"$build/bench/churn" &
churn_pid=$!
sleep 2  # let it fill its gigabyte
measure "beside a memory churn"
kill "$churn_pid"
wait "$churn_pid" 2>/dev/null
churn_pid=

once=() double=()
for _ in $(seq 5); do
    once+=("$(first_frame "$build/bin/tarnwick")") || exit 1
    double+=("$(SCALE=2 first_frame "$build/bin/tarnwick")") || exit 1
done
o=$(printf '%s\n' "${once[@]}" | median)
d=$(printf '%s\n' "${double[@]}" | median)
echo "startup at twice the density: tarnwick ${d} ms, ratio to once $(ratio "$d" "$o")"
