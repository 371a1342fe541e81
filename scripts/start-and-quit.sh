#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts a Kavrel program on the current display, waits for its window,
# presses "終わる" and checks that it ends with exit code 0. Standard error
# of the program goes to the file given as second argument.
#
#   scripts/start-and-quit.sh <program> <stderr file>
set -uo pipefail

PROGRAM="${1:?usage: $0 <program> <stderr file>}"
ERRORS="${2:?usage: $0 <program> <stderr file>}"
QUIT_AT="974 665"

"$PROGRAM" 2>"$ERRORS" &
pid=$!
window=""
for _ in $(seq 1 100); do
    # By its process id: the window's name is written in the locale's encoding.
    window="$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -n 1)"
    [ -n "$window" ] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
if [ -z "$window" ]; then
    echo "start-and-quit: no window of $PROGRAM appeared" >&2
    kill "$pid" 2>/dev/null
    exit 1
fi
eval "$(xdotool getwindowgeometry --shell "$window")"
set -- $QUIT_AT
xdotool mousemove --sync $((X + $1)) $((Y + $2)) click 1
for _ in $(seq 1 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
    echo "start-and-quit: $PROGRAM did not end after 終わる" >&2
    kill "$pid"
    exit 1
fi
wait "$pid"
status=$?
[ "$status" -eq 0 ] || echo "start-and-quit: $PROGRAM ended with exit code $status" >&2
exit "$status"
