#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The paced figures (PacedBench) on a real X display under Xvfb.
set -u
build=${1:-build}
. "$(dirname "$0")/xvfb.sh"
start_xvfb || exit 0
trap stop_xvfb EXIT
QT_QPA_PLATFORM=xcb timeout 300 "$build/bench/PacedBench"
