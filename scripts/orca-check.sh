#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Plays a short game by keys while the Orca screen reader listens, and prints what Orca spoke.
# Everything runs on a private X display and session bus, with speech going to a null sound
# device: nothing is heard. Usage: scripts/orca-check.sh [build folder]
set -eu

build=${1:-build}
exe="$build/bin/tarnwick"
[ -x "$exe" ] || { echo "no $exe: build first" >&2; exit 1; }

packages=(orca speech-dispatcher at-spi2-core xvfb x11-utils xdotool dbus-daemon)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    [ "$(id -u)" -eq 0 ] || { echo "install as root: apt-get install ${missing[*]}" >&2; exit 1; }
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}" >/dev/null
fi

work=$(mktemp -d)
# KEEP=1 keeps the folder with the debug files.
[ -n "${KEEP:-}" ] && echo "keeping $work" >&2
stop() {
    pkill -9 -f "$work" 2>/dev/null || true  # Orca, speech and their helpers run with the folder
    kill $(jobs -p) 2>/dev/null || true
    wait 2>/dev/null || true
    [ -n "${KEEP:-}" ] || rm -rf "$work"
}
trap stop EXIT
export HOME="$work" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run"
mkdir -p "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME" && chmod 700 "$XDG_RUNTIME_DIR"
export DISPLAY=:73 QT_QPA_PLATFORM=xcb
# Speech goes to ALSA's null device: a sound server that is not there would stall every phrase.
mkdir -p "$XDG_CONFIG_HOME/speech-dispatcher"
cat > "$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf" <<'CONF'
AudioOutputMethod "alsa"
AudioALSADevice "null"
AddModule "espeak-ng" "sd_espeak-ng" "/etc/speech-dispatcher/modules/espeak-ng.conf"
DefaultModule espeak-ng
CONF

Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

dbus-run-session -- bash -c '
    set -eu
    /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
    sleep 1
    orca --replace -d braille -d braille-monitor --debug-file "'"$work"'/orca.out" >"'"$work"'/orca.err" 2>&1 &
    for _ in $(seq 600); do
        grep -aq "Screen reader on" "'"$work"'/orca.out" 2>/dev/null && break
        sleep 0.1
    done
    "'"$exe"'" >"'"$work"'/app.log" 2>&1 &
    game=$!
    for _ in $(seq 100); do
        win=$(xdotool search --name "^Tarnwick$" 2>/dev/null | head -1) && [ -n "$win" ] && break
        sleep 0.1
    done
    xdotool windowfocus --sync "$win"
    sleep 2
    press() {
        xdotool key --window "$win" "$@"
        sleep 1.2
    }
    # Round the top row, down to the stacks, up a stack, a lift and a refused drop, a deck turn.
    for key in Right Right Right Down Right Up Up Down space Right space Left Left \
               Up Left Left Left space; do
        press "$key"
    done
    # Legal moves as the hint shows them, H then Enter, each followed by Up and Down: on a stack
    # with two face-up cards or more, that climbs it and comes back. Until a card has gone to a
    # stack (the debug file shows it late, so one more move may follow).
    for _ in $(seq 15); do
        press h
        press Return
        press Up
        press Down
        grep -aq "notification Moved .* to Stack" "'"$work"'/orca.out" && break
    done
    # An undo, a new deal, and the frame moved again.
    press ctrl+z
    press ctrl+d
    press Right
    sleep 3  # Orca may still be speaking
    kill $game
'
grep -a "SPEECH OUTPUT:" "$work/orca.out" | sed -e "s/^.*SPEECH OUTPUT: //"
