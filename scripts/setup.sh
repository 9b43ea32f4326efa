#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages Tarnwick needs to build, run and test, when any is missing.
set -eu

packages=(build-essential cmake make qt6-base-dev qt6-qpa-plugins qt6-wayland libgl-dev libgtest-dev
          libbenchmark-dev fonts-dejavu-core xdg-utils xvfb x11-utils xdotool
          clang libclang-rt-14-dev dpkg-dev lintian desktop-file-utils appstream man-db weston
          libx11-dev dbus-daemon qt6-base-private-dev)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

cmd="apt-get update && apt-get install -y ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q && apt-get install -y -q "${missing[@]}"
elif command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
    sudo env DEBIAN_FRONTEND=noninteractive sh -c "$cmd"
else
    echo "Tarnwick needs these packages: ${missing[*]}" >&2
    echo "Install them as root with:" >&2
    echo "  $cmd" >&2
    exit 1
fi
