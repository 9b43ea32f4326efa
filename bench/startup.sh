#!/usr/bin/env bash
# Start-up to the first frame on screen, for the game and for a bare Qt window showing a
# 701 x 501 image, under Xvfb: the median of several starts of each, and their ratio.
set -u
build=${1:-build}
runs=${RUNS:-9}
if ! command -v Xvfb >/dev/null || ! command -v xwininfo >/dev/null; then
    echo "startup: skipped (needs Xvfb and xwininfo: apt-get install xvfb x11-utils)"
    exit 0
fi
display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
for _ in $(seq 50); do xwininfo -display "$display" -root >/dev/null 2>&1 && break; sleep 0.1; done
config=$(mktemp -d)

# Milliseconds from exec until a window titled Tarnwick is mapped.
first_frame() {
    local start end pid
    start=$(date +%s%N)
    (cd "$(dirname "$1")" && DISPLAY=$display XDG_CONFIG_HOME=$config QT_QPA_PLATFORM=xcb \
        exec "./$(basename "$1")") >/dev/null 2>&1 &
    pid=$!
    until xwininfo -display "$display" -root -tree 2>/dev/null | grep -q '"Tarnwick".*[0-9]x[0-9]'; do
        sleep 0.002
    done
    end=$(date +%s%N)
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    echo $(((end - start) / 1000000))
}

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

game=$(for _ in $(seq "$runs"); do first_frame "$build/bin/tarnwick"; done | median)
bare=$(for _ in $(seq "$runs"); do first_frame "$build/bench/bare_window"; done | median)
rm -rf "$config"
echo "startup to first frame: tarnwick ${game} ms, bare Qt window ${bare} ms," \
     "ratio $(awk -v a="$game" -v b="$bare" 'BEGIN {printf "%.2f", a / b}')"
