#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up to the first frame on screen, for the game and for a bare Qt window showing a
# 701 x 501 image, under Xvfb: runs of the two interleaved, the median of each, and their ratio;
# then the game on a screen of ratio 2 (QT_SCALE_FACTOR=2), as a ratio to the game at 1.
set -u
build=${1:-build}
runs=${RUNS:-9}
. "$(dirname "$0")/xvfb.sh"
command -v xwininfo >/dev/null || { echo "startup: skipped (apt-get install x11-utils)"; exit 0; }
start_xvfb || { echo "startup: skipped"; exit 0; }
config=$(mktemp -d)
trap 'stop_xvfb; rm -rf "$config"' EXIT

# Whether the program's main window (701 wide; not the 1x1 window Qt makes for the application's
# window group, which has the same name) is mapped.
main_window_mapped() {
    local id
    id=$(xwininfo -root -tree 2>/dev/null |
        awk -v size="${WINDOW_WIDTH:-701}x" '/"Tarnwick"/ && index($0, " " size) {print $1; exit}')
    [ -n "$id" ] && xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable'
}

# Milliseconds from exec until the main window titled Tarnwick is mapped; 30 s at the most.
first_frame() {
    local start end pid deadline
    start=$(date +%s%N)
    deadline=$((start + 30000000000))
    (cd "$(dirname "$1")" && XDG_CONFIG_HOME=$config QT_QPA_PLATFORM=xcb \
        QT_SCALE_FACTOR=${SCALE:-1} exec "./$(basename "$1")") >/dev/null 2>&1 &
    pid=$!
    until main_window_mapped; do
        if [ "$(date +%s%N)" -gt "$deadline" ]; then
            echo "startup: $1 showed no window within 30 s" >&2
            kill -9 "$pid" 2>/dev/null
            return 1
        fi
        sleep 0.002
    done
    end=$(date +%s%N)
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    echo $(((end - start) / 1000000))
}

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

game_times=() bare_times=() double_times=()
for _ in $(seq "$runs"); do
    game_times+=("$(first_frame "$build/bin/tarnwick")") || exit 1
    bare_times+=("$(first_frame "$build/bench/bare_window")") || exit 1
    double_times+=("$(SCALE=2 WINDOW_WIDTH=1402 first_frame "$build/bin/tarnwick")") || exit 1
done
game=$(printf '%s\n' "${game_times[@]}" | median)
bare=$(printf '%s\n' "${bare_times[@]}" | median)
double=$(printf '%s\n' "${double_times[@]}" | median)
echo "startup to first frame: tarnwick ${game} ms, bare Qt window ${bare} ms," \
     "ratio $(awk -v a="$game" -v b="$bare" 'BEGIN {printf "%.2f", a / b}')"
echo "startup at twice the density: tarnwick ${double} ms," \
     "ratio to once $(awk -v a="$double" -v b="$game" 'BEGIN {printf "%.2f", a / b}')"
