#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The solver on the deals of the 10,000 seconds from 1,700,000,000 on, three cards turned, and
# the first 2,000 of them one card turned (bench/SolveDeals.cpp), two deals at a time, each with
# two seconds of its own. DEALS sets fewer for a quick look; THREADS=1 solves one at a time.
# A deal a search cannot decide takes its whole two seconds: the full run takes about 6 minutes.
set -u
build=${1:-build}
deals=${DEALS:-10000}
threads=${THREADS:-2}
[ -x "$build/bench/solve_deals" ] || { echo "solver: solve_deals not built"; exit 1; }
"$build/bench/solve_deals" 1700000000 "$deals" three 2 "$threads"
"$build/bench/solve_deals" 1700000000 "$((deals < 2000 ? deals : 2000))" one 2 "$threads"
