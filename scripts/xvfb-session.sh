#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command against a private Xvfb server.
#
#   scripts/xvfb-session.sh <command> [args...]
#
# Starts Xvfb on the first free display from :90 upward, waits until it
# accepts connections, exports DISPLAY, runs the command, stops the server
# and exits with the command's exit code.
#
#   KAVREL_XVFB_SCREEN           the screen, WIDTHxHEIGHTxDEPTH (1280x1024x24)
#   KAVREL_XVFB_WINDOW_MANAGER   a window manager to run on it first (openbox),
#                                so that windows get frames and a work area
set -uo pipefail

if [ "$#" -eq 0 ]; then
    echo "usage: $0 <command> [args...]" >&2
    exit 64
fi

FIRST_DISPLAY=90
LAST_DISPLAY=189
SCREEN="${KAVREL_XVFB_SCREEN:-1280x1024x24}"
WINDOW_MANAGER="${KAVREL_XVFB_WINDOW_MANAGER:-}"
WAIT_TENTHS=100   # 10 s

xvfb_pid=""
xvfb_log=""
child_pid=""
wm_pid=""

cleanup() {
    if [ -n "$child_pid" ] && kill -0 "$child_pid" 2>/dev/null; then
        kill -TERM "$child_pid" 2>/dev/null
        wait "$child_pid" 2>/dev/null
    fi
    if [ -n "$wm_pid" ] && kill -0 "$wm_pid" 2>/dev/null; then
        kill -TERM "$wm_pid" 2>/dev/null
        wait "$wm_pid" 2>/dev/null
    fi
    if [ -n "$xvfb_pid" ] && kill -0 "$xvfb_pid" 2>/dev/null; then
        kill "$xvfb_pid" 2>/dev/null
        # Give it a moment to remove its socket and lock file.
        for _ in $(seq 1 50); do
            kill -0 "$xvfb_pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -9 "$xvfb_pid" 2>/dev/null
        wait "$xvfb_pid" 2>/dev/null
    fi
    [ -n "$xvfb_log" ] && rm -f "$xvfb_log"
}
trap cleanup EXIT
# On a signal, pass it on to the command (cleanup stops it if still running).
on_signal() {
    local sig="$1" code="$2"
    if [ -n "$child_pid" ]; then
        kill -"$sig" "$child_pid" 2>/dev/null
    fi
    exit "$code"
}
trap 'on_signal INT 130' INT
trap 'on_signal TERM 143' TERM
trap 'on_signal HUP 129' HUP

if ! command -v Xvfb >/dev/null 2>&1; then
    echo "xvfb-session: Xvfb not found (Debian package: xvfb); run scripts/setup.sh" >&2
    exit 127
fi

have_xdpyinfo=0
command -v xdpyinfo >/dev/null 2>&1 && have_xdpyinfo=1

xvfb_log="$(mktemp "${TMPDIR:-/tmp}/xvfb-session.XXXXXX")"

# True when the lock file of display $1 names our own server, so that a
# server started at the same moment by someone else is not mistaken for ours.
owns_display() {
    local owner
    owner="$(cat "/tmp/.X$1-lock" 2>/dev/null)" || return 1
    owner="${owner//[[:space:]]/}"
    [ "$owner" = "$xvfb_pid" ]
}

# Waits until our server on display $1 accepts connections.
# Returns 1 if the server died or did not come up in time.
wait_ready() {
    local n="$1" i
    for ((i = 0; i < WAIT_TENTHS; i++)); do
        kill -0 "$xvfb_pid" 2>/dev/null || return 1
        if ! owns_display "$n"; then
            :
        elif [ "$have_xdpyinfo" -eq 1 ]; then
            DISPLAY=":$n" xdpyinfo >/dev/null 2>&1 && return 0
        elif [ -S "/tmp/.X11-unix/X$n" ]; then
            return 0
        fi
        sleep 0.1
    done
    return 1
}

started=""
for ((n = FIRST_DISPLAY; n <= LAST_DISPLAY; n++)); do
    if [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; then
        continue
    fi
    # -noreset: the readiness probe is the first client, and a server that
    # resets when it leaves refuses the program for a moment.
    Xvfb ":$n" -nolisten tcp -noreset -screen 0 "$SCREEN" >"$xvfb_log" 2>&1 </dev/null &
    xvfb_pid=$!
    if wait_ready "$n"; then
        started="$n"
        break
    fi
    # Lost a race for this display number, or the server failed: stop it and
    # try the next number.
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
    xvfb_pid=""
done

if [ -z "$started" ]; then
    echo "xvfb-session: could not start Xvfb on any display :$FIRST_DISPLAY..:$LAST_DISPLAY" >&2
    [ -s "$xvfb_log" ] && sed 's/^/  Xvfb: /' "$xvfb_log" >&2
    exit 1
fi

export DISPLAY=":$started"
unset WAYLAND_DISPLAY

# The window manager is ready once it has announced itself on the root
# window; windows mapped before that would come up unframed.
if [ -n "$WINDOW_MANAGER" ]; then
    if ! command -v "$WINDOW_MANAGER" >/dev/null 2>&1 || ! command -v xprop >/dev/null 2>&1; then
        echo "xvfb-session: $WINDOW_MANAGER or xprop not found; run scripts/setup.sh" >&2
        exit 127
    fi
    "$WINDOW_MANAGER" >>"$xvfb_log" 2>&1 </dev/null &
    wm_pid=$!
    for ((i = 0; i < WAIT_TENTHS; i++)); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
        sleep 0.1
    done
    if ! xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
        echo "xvfb-session: $WINDOW_MANAGER did not start on :$started" >&2
        sed 's/^/  /' "$xvfb_log" >&2
        exit 1
    fi
fi

# Run the command in the background so that signals can be passed on to it;
# give it this script's standard input explicitly (a background job would
# otherwise read from /dev/null).
exec 3<&0
"$@" <&3 3<&- &
child_pid=$!
exec 3<&-
wait "$child_pid"
status=$?
child_pid=""
exit "$status"
