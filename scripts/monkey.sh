#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the monkey (tests/monkey) of a sanitizer build at length and sums up.
#
#   scripts/monkey.sh <kavrel_monkey> [events] [seed] [runs]
#
# The events (default 1,000,000) are split over `runs` runs in parallel
# (default 2), the i-th with seed + i, each on the offscreen platform.
# AddressSanitizer and UndefinedBehaviorSanitizer write their reports to
# files of their own; every report counts as a finding. Prints the events
# run, the errors reported by the window (the division errors of P on F),
# the invariant failures and the sanitizer findings; exits 0 only when all
# events ran with no failure and no finding.
set -uo pipefail

MONKEY="${1:?usage: $0 <kavrel_monkey> [events] [seed] [runs]}"
EVENTS="${2:-1000000}"
SEED="${3:-1}"
RUNS="${4:-2}"

if [ ! -x "$MONKEY" ]; then
    echo "monkey: $MONKEY not found" >&2
    exit 1
fi

WORK="$(mktemp -d "${TMPDIR:-/tmp}/kavrel-monkey.XXXXXX")"
trap 'rm -rf "$WORK"' EXIT

# Halt at the first finding of either sanitizer; leaks are looked for too.
export ASAN_OPTIONS="log_path=$WORK/asan:halt_on_error=1:detect_leaks=1:abort_on_error=0"
export UBSAN_OPTIONS="log_path=$WORK/ubsan:print_stacktrace=1:halt_on_error=1"
unset QT_QPA_PLATFORM   # the monkey picks its own headless screen

echo "monkey: $EVENTS events in $RUNS runs from seed $SEED ($MONKEY)"
pids=()
for ((i = 0; i < RUNS; i++)); do
    share=$((EVENTS / RUNS + (i < EVENTS % RUNS ? 1 : 0)))
    "$MONKEY" --events "$share" --seed $((SEED + i)) >"$WORK/run$i.out" 2>&1 &
    pids+=($!)
done
status=0
for ((i = 0; i < RUNS; i++)); do
    wait "${pids[$i]}" || status=1
done

sum() {
    local total=0 value f
    for f in "$WORK"/run*.out; do
        value="$(sed -n "s/^monkey: $1: \([0-9]*\).*/\1/p" "$f" | tail -1)"
        total=$((total + ${value:-0}))
    done
    echo "$total"
}

events_run="$(sum 'events run')"
errors="$(sum 'errors reported')"
failures="$(sum 'invariant failures')"
findings=0
for report in "$WORK"/asan.* "$WORK"/ubsan.*; do
    [ -e "$report" ] || continue
    findings=$((findings + $(grep -c -E 'ERROR: (Address|Leak)Sanitizer|runtime error:' "$report")))
done

for ((i = 0; i < RUNS; i++)); do
    if ! grep -q '^monkey: invariant failures: 0' "$WORK/run$i.out"; then
        echo "monkey: run $i (seed $((SEED + i))) did not end cleanly:" >&2
        sed 's/^/  /' "$WORK/run$i.out" | tail -n 60 >&2
    fi
done
for report in "$WORK"/asan.* "$WORK"/ubsan.*; do
    [ -e "$report" ] && { echo "monkey: sanitizer report $(basename "$report"):" >&2; sed 's/^/  /' "$report" >&2; }
done

for ((i = 0; i < RUNS; i++)); do
    echo "monkey: run $i (seed $((SEED + i))):"
    grep -E '^monkey: (events run|errors reported|probes):' "$WORK/run$i.out" | sed 's/^monkey: /  /'
done
echo "monkey: events run: $events_run"
echo "monkey: errors reported: $errors"
echo "monkey: invariant failures: $failures"
echo "monkey: sanitizer findings: $findings"
if [ "$status" -ne 0 ] || [ "$events_run" -ne "$EVENTS" ] || [ "$failures" -ne 0 ] || [ "$findings" -ne 0 ]; then
    echo "monkey: FAIL"
    exit 1
fi
echo "monkey: PASS"
