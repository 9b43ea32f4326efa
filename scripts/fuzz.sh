#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets with clang in their own folder and runs each for a while.
#   scripts/fuzz.sh [seconds per target, default 60]
# Each target starts from its seeds in fuzz/corpus and keeps what it finds in the build folder,
# so a later run goes on from there. A finding stops the run and leaves its input in the folder.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
build=${FUZZ_BUILD:-build-fuzz}
jobs=${JOBS:-2}

flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARNWICK_FUZZ=ON -DTARNWICK_BENCH=OFF \
    -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_CXX_FLAGS="$flags -fno-omit-frame-pointer" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build "$build" -j"$jobs" --target fuzz_settings fuzz_path fuzz_picture

export ASAN_OPTIONS=detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan-suppressions.txt:print_suppressions=0
for name in settings path picture; do
    work="$PWD/$build/fuzz" seeds="$PWD/fuzz/corpus/$name"
    mkdir -p "$work/found-$name"
    echo "== fuzz_$name for $seconds s"
    status=0
    (cd "$work" && ./fuzz_"$name" -max_total_time="$seconds" -print_final_stats=1 \
        -max_len=65536 -rss_limit_mb=4096 -artifact_prefix="$work/crash-$name-" \
        "$work/found-$name" "$seeds") >"$work/$name.log" 2>&1 || status=$?
    grep -E "^#[0-9]+[[:space:]]+(INITED|DONE)|^stat::(number_of_executed_units|average_exec_per_sec|peak_rss)" \
        "$work/$name.log" || true
    if [ "$status" -ne 0 ]; then
        tail -n 60 "$work/$name.log"
        echo "fuzz_$name found a fault: its input is $work/crash-$name-*" >&2
        exit 1
    fi
done
