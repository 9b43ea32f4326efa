#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# CPU spent by the game and by the X server while a card is held still, and during a 30-step drag,
# beside a bare Qt window under the same pointer and a bare Qt window that repaints a card-sized
# rectangle at every move, under Xvfb with the pointer driven by xdotool.
# CPU time is read from the scheduler (/proc/PID/task/*/schedstat, nanoseconds).
set -u
build=${1:-build}
runs=${RUNS:-5}
. "$(dirname "$0")/xvfb.sh"
command -v xdotool >/dev/null || { echo "dragcpu: skipped (apt-get install xdotool)"; exit 0; }
start_xvfb || { echo "dragcpu: skipped"; exit 0; }
config=$(mktemp -d)
trap 'stop_xvfb; rm -rf "$config"' EXIT

cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{s += $1} END {printf "%.0f\n", s}'; }

# Starts a program and waits (30 s at the most) for its window; prints "pid window".
launch() {
    (cd "$(dirname "$1")" && XDG_CONFIG_HOME=$config QT_QPA_PLATFORM=xcb \
        exec "./$(basename "$1")") >/dev/null 2>&1 &
    local pid=$! window=""
    for _ in $(seq 300); do
        window=$(xdotool search --pid "$pid" --onlyvisible --name '^Tarnwick$' 2>/dev/null | head -n 1)
        [ -n "$window" ] && break
        sleep 0.1
    done
    [ -n "$window" ] || { echo "dragcpu: $1 showed no window within 30 s" >&2; kill -9 "$pid"; return 1; }
    sleep 0.5  # let the first paint settle
    echo "$pid $window"
}

# One measurement on a running program: CPU ms of the program and of Xvfb while a card is held
# still for a second, then during a drag of 30 steps of 4 pixels, 10 ms apart, then for each 30
# steps of a long drag.
measure() {
    local pid=$1 window=$2 x=640 y=285 a b xa xb
    xdotool mousemove --window "$window" "$x" "$y" mousedown 1
    sleep 0.2
    a=$(cpu_ns "$pid") xa=$(cpu_ns "$XVFB_PID")
    sleep 1
    b=$(cpu_ns "$pid") xb=$(cpu_ns "$XVFB_PID")
    echo "still $(((b - a) / 1000000)) $(((xb - xa) / 1000000))"
    a=$(cpu_ns "$pid") xa=$(cpu_ns "$XVFB_PID")
    for i in $(seq 30); do
        xdotool mousemove --window "$window" $((x - 4 * i)) $((y + 2 * i))
        sleep 0.01
    done
    xdotool mousemove --window "$window" "$x" "$y" mouseup 1
    sleep 0.3
    b=$(cpu_ns "$pid") xb=$(cpu_ns "$XVFB_PID")
    echo "drag $(((b - a) / 1000000)) $(((xb - xa) / 1000000))"
    # The same steps, out and back twelve times in one press, with no drop: steadier figures,
    # reported for each 30 steps.
    xdotool mousemove --window "$window" "$x" "$y" mousedown 1
    sleep 0.2
    a=$(cpu_ns "$pid") xa=$(cpu_ns "$XVFB_PID")
    for _ in $(seq 6); do
        for i in $(seq 30); do
            xdotool mousemove --window "$window" $((x - 4 * i)) $((y + 2 * i))
            sleep 0.01
        done
        for i in $(seq 29 -1 0); do
            xdotool mousemove --window "$window" $((x - 4 * i)) $((y + 2 * i))
            sleep 0.01
        done
    done
    b=$(cpu_ns "$pid") xb=$(cpu_ns "$XVFB_PID")
    xdotool mouseup 1
    sleep 0.3
    echo "steady $(((b - a) / 12000000)) $(((xb - xa) / 12000000))"
}

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
results=$(mktemp)
for _ in $(seq "$runs"); do
    for program in tarnwick bare_window bare_drag; do
        path="$build/bin/tarnwick"
        [ "$program" = tarnwick ] || path="$build/bench/$program"
        read -r pid window < <(launch "$path") || exit 1
        measure "$pid" "$window" | sed "s/^/$program /" >>"$results"
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
done
for program in tarnwick bare_window bare_drag; do
    for what in still drag steady; do
        self=$(awk -v p=$program -v w=$what '$1 == p && $2 == w {print $3}' "$results" | median)
        server=$(awk -v p=$program -v w=$what '$1 == p && $2 == w {print $4}' "$results" | median)
        case $what in
            still) echo "dragcpu: $program, a card held still: ${self} ms/s CPU, X server ${server} ms/s" ;;
            drag) echo "dragcpu: $program, a 30-step drag: ${self} ms CPU, X server ${server} ms" ;;
            steady) echo "dragcpu: $program, 30 steps of a long drag: ${self} ms CPU, X server ${server} ms" ;;
        esac
    done
done
rm -f "$results"
