# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the whole-process scripts: starts Xvfb on a display nobody uses and sets DISPLAY.
# Every wait has a deadline; a server that does not come up is reported, never waited for.
start_xvfb() {
    if ! command -v Xvfb >/dev/null || ! command -v xdpyinfo >/dev/null; then
        echo "needs Xvfb and xdpyinfo: apt-get install xvfb x11-utils" >&2
        return 1
    fi
    local numberfile
    numberfile=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1920x1200x24 -nolisten tcp -noreset 3>"$numberfile" >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 100); do
        [ -s "$numberfile" ] && break
        sleep 0.1
    done
    if [ ! -s "$numberfile" ]; then
        echo "Xvfb did not start within 10 s" >&2
        kill "$XVFB_PID" 2>/dev/null
        rm -f "$numberfile"
        return 1
    fi
    DISPLAY=:$(head -n 1 "$numberfile")
    export DISPLAY
    rm -f "$numberfile"
    for _ in $(seq 100); do
        xdpyinfo >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    echo "Xvfb on $DISPLAY does not answer" >&2
    return 1
}

stop_xvfb() {
    [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
    XVFB_PID=
}
