#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The mutation check: each mutant of tests/mutants.txt is one small change to one spot of the
# program. Each is made in turn, the program rebuilt (incrementally, in build-mutants) and the
# whole suite run; then the code is put back, also when the check is interrupted. Prints each
# mutant's fate: killed (by which tests), survived, no longer applies (its text is not found once
# in the file), or does not build (a compile error, or a build step that runs the program fails);
# and a last line "killed K of N".
# Usage: scripts/mutants.sh [LIST] [FIRST_NUMBER [LAST_NUMBER]]
set -u
cd "$(dirname "$0")/.."
list=${1:-tests/mutants.txt}
first=${2:-1}
last=${3:-100000}
build=build-mutants
jobs=${JOBS:-2}

[ -f "$list" ] || { echo "mutants: no list $list"; exit 2; }
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null || exit 2
fi
cmake --build "$build" -j"$jobs" >/dev/null 2>&1 || { echo "mutants: the tree does not build"; exit 2; }

saved=""     # the file a mutant changed, while it is changed
backup=$(mktemp)
restore() {
    if [ -n "$saved" ]; then
        cp "$backup" "$saved"  # a new time, so the next build compiles it again
        saved=""
    fi
}
trap 'restore; rm -f "$backup"; exit 130' INT TERM
trap 'restore; rm -f "$backup"' EXIT

# Replaces the one place FROM stands in FILE by TO; exit 3 when FROM is not there exactly once.
apply() {
    FROM=$2 TO=$3 perl -0777 -i -pe '
        my ($from, $to) = ($ENV{FROM}, $ENV{TO});
        my $count = () = /\Q$from\E/g;
        if ($count != 1) { $failed = 1; } else { s/\Q$from\E/$to/; }
        END { exit 3 if $failed }' "$1"
}

run_one() {
    local number=$1 name=$2 file=$3 from=$4 to=$5 fate
    if [ ! -f "$file" ]; then
        fate="no longer applies (no file $file)"
    else
        cp -p "$file" "$backup"
        saved=$file
        if ! apply "$file" "$from" "$to"; then
            fate="no longer applies"
        elif ! cmake --build "$build" -j"$jobs" >/dev/null 2>&1; then
            fate="does not build"
        else
            local out failed
            # The first failure is enough to tell: the rest is not waited for.
            out=$(cd "$build" && QT_QPA_PLATFORM=offscreen timeout 900 ctest -j"$jobs" --stop-on-failure 2>&1)
            failed=$(printf '%s\n' "$out" | sed -n 's/^[[:space:]]*[0-9]* - \(.*\) (\(Failed\|Timeout\|SEGFAULT\|Subprocess aborted\|Exception\|Not Run\).*/\1/p' |
                head -3 | paste -sd, -)
            if printf '%s\n' "$out" | grep -q "100% tests passed"; then
                fate="survived"
            else
                fate="killed by ${failed:-the suite}"
                killed=$((killed + 1))
            fi
        fi
        restore
    fi
    total=$((total + 1))
    printf '%3d %-60s %s\n' "$number" "$name" "$fate"
}

killed=0
total=0
number=0
start=$(date +%s)
# A line: FILE :: NAME :: FROM ~> TO. FROM keeps its leading spaces; an empty TO removes FROM.
while IFS= read -r line || [ -n "$line" ]; do
    case "$line" in "#"* | "") continue ;; esac
    file=${line%% :: *}
    rest=${line#* :: }
    name="${file%%/*}: ${rest%% :: *}"
    change=${rest#* :: }
    from=${change%% ~>*}
    to=${change#* ~>}
    to=${to# }
    number=$((number + 1))
    if [ "$number" -ge "$first" ] && [ "$number" -le "$last" ]; then
        run_one "$number" "$name" "$file" "$from" "$to"
    fi
done < "$list"
# The tree as it was, built again, so the next check starts from it.
cmake --build "$build" -j"$jobs" >/dev/null 2>&1
echo "took $(( $(date +%s) - start )) s"
echo "killed $killed of $total"
