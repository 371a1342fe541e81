#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Drives a running Kavrel through a short lesson with xdotool, as a learner
# would, and ends it with "終わる".
#
#   scripts/session.sh <pid of the program> <path of the program>   (DISPLAY set)
#
# The lesson: the line Y = -1, F = (0, 1) and the ratio 1 : 1 typed on the
# keypad; left, right, middle and double clicks on the plane, on and off the
# parabola; a click on F's own pixel and the error box it opens, closed with
# Return; the scroll bar's arrows, track and thumb; "再試行" and a root
# term; then "終わる". Exits 0 when every step found what it drives, 1 when
# the window or the error box did not appear or the program ended early.
set -uo pipefail

PROGRAM_PID="${1:?usage: $0 <pid of the program> <path of the program>}"
PROGRAM_PATH="${2:?usage: $0 <pid of the program> <path of the program>}"
# The error box's caption is the application title: the program file's
# name cut at its first ".", every character after the first in lower case.
program_name="$(basename "$PROGRAM_PATH")"
program_name="${program_name%%.*}"
BOX_CAPTION="${program_name:0:1}$(printf '%s' "${program_name:1}" | tr '[:upper:]' '[:lower:]')"
WAIT_TENTHS="${KAVREL_SESSION_WAIT_TENTHS:-600}"   # 60 s: slow under valgrind
STEP_PAUSE="${KAVREL_SESSION_STEP_PAUSE:-0.05}"

say() { echo "session: $*" >&2; }

alive() { kill -0 "$PROGRAM_PID" 2>/dev/null; }

# The program's process and its descendants: under strace the program is
# a child of the process started.
program_pids() {
    local child
    echo "$1"
    for child in $(cat /proc/"$1"/task/*/children 2>/dev/null); do program_pids "$child"; done
}

# The program's visible windows, found by the process id they carry: their
# names are written in the locale's encoding, their process id is not.
program_windows() {
    local pid
    for pid in $(program_pids "$PROGRAM_PID"); do
        xdotool search --onlyvisible --pid "$pid" 2>/dev/null
    done
}

# A visible window of the program other than the one given, if any: at the
# start the main window, later the error box.
window_besides() {
    local id
    for id in $(program_windows); do
        if [ "$id" != "${1:-}" ]; then
            echo "$id"
            return 0
        fi
    done
    return 1
}

wait_for_window_besides() {
    local i id
    for ((i = 0; i < WAIT_TENTHS; i++)); do
        alive || return 1
        if id="$(window_besides "${1:-}")"; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

main_window="$(wait_for_window_besides)" || { say "the window did not appear"; exit 1; }
eval "$(xdotool getwindowgeometry --shell "$main_window")"
ORIGIN_X="$X"
ORIGIN_Y="$Y"

# Clicks at a point of the window's client area: click <x> <y> [button] [repeat]
click() {
    alive || { say "the program ended early"; exit 1; }
    xdotool mousemove --sync $((ORIGIN_X + $1)) $((ORIGIN_Y + $2)) click --repeat "${4:-1}" --delay 40 "${3:-1}"
    sleep "$STEP_PAUSE"
}

# The keypad's keys by caption: the centre of each, in client coordinates.
key() {
    local at
    case "$1" in
        Ｘ＝) at="755 466" ;; Ｙ＝) at="851 466" ;;
        ７) at="731 514" ;; ８) at="779 514" ;; ９) at="827 514" ;; ＋) at="875 514" ;;
        ４) at="731 562" ;; ５) at="779 562" ;; ６) at="827 562" ;; －) at="875 562" ;;
        １) at="731 610" ;; ２) at="779 610" ;; ３) at="827 610" ;; √) at="875 610" ;;
        ０) at="731 658" ;; ．) at="779 658" ;; 決定) at="827 658" ;; 取消) at="875 658" ;;
        *) say "no key $1"; exit 1 ;;
    esac
    # shellcheck disable=SC2086
    click $at
}

keys() {
    local caption
    for caption in "$@"; do key "$caption"; done
}

# A pixel of the plane (its top-left corner is at (8, 29) in the client area).
plane() {
    click $((8 + $1)) $((29 + $2)) "${3:-1}" "${4:-1}"
}

RETRY="974 601"
QUIT="974 665"
SCROLL_LEFT="54 704"
SCROLL_RIGHT="610 704"

keys Ｙ＝ － １ 決定 ０ 決定 １ 決定 １ 決定 １ 決定
plane 396 297            # P = (2, 1): on the parabola, kept
plane 363 330            # P = (1, 0): off it
plane 264 297 3          # P = (-2, 1), right button: kept
plane 429 330 2          # middle button
plane 462 363 1 2        # a double click

plane 330 297            # P on F = (0, 1): the division error
box="$(wait_for_window_besides "$main_window")" || { say "no error box after the click on F"; exit 1; }
[ "$(xdotool getwindowname "$box")" = "$BOX_CAPTION" ] || { say "the error box is not captioned $BOX_CAPTION"; exit 1; }
# The main window owns the box, which has nothing to minimise or maximise
# (Motif hints: functions 8 and 16, decorations 32 and 64).
owner="$(xprop -id "$box" WM_TRANSIENT_FOR)"
[ "$((${owner##* }))" = "$main_window" ] || { say "the error box is not owned by the main window: $owner"; exit 1; }
IFS=', ' read -r _ _ _ functions decorations _ <<<"$(xprop -id "$box" _MOTIF_WM_HINTS)"
(( (functions & 24) == 0 && (decorations & 96) == 0 )) \
    || { say "the error box can be minimised or maximised: functions $functions, decorations $decorations"; exit 1; }
xdotool windowfocus --sync "$box" key --delay 40 Return
for ((i = 0; i < WAIT_TENTHS; i++)); do
    window_besides "$main_window" >/dev/null || break
    sleep 0.1
done
window_besides "$main_window" >/dev/null && { say "the error box did not close"; exit 1; }

plane 396 297            # back on the curve
# shellcheck disable=SC2086
{
    click $SCROLL_RIGHT
    click $SCROLL_RIGHT
    click $SCROLL_LEFT
    click 200 704        # the track
}
# The thumb, dragged.
alive || { say "the program ended early"; exit 1; }
xdotool mousemove --sync $((ORIGIN_X + 330)) $((ORIGIN_Y + 704)) mousedown 1 \
        mousemove --sync $((ORIGIN_X + 250)) $((ORIGIN_Y + 704)) \
        mousemove --sync $((ORIGIN_X + 400)) $((ORIGIN_Y + 704)) mouseup 1
sleep "$STEP_PAUSE"

# shellcheck disable=SC2086
click $RETRY
keys Ｘ＝ ２ 決定 － ３ 決定 ４ 決定 √ ２ 決定 ３ 決定
plane 100 500
plane 600 100 1 2
# shellcheck disable=SC2086
click $QUIT
exit 0
