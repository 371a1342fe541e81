#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command in a private Wayland session: weston on its headless
# backend, with the desktop shell (windows framed by their own decorations,
# placed by the compositor) and its panel at the top, which a Wayland client
# cannot see: a maximised window is given the output less the panel.
#
#   scripts/weston-session.sh <command> [args...]
#
#   KAVREL_WESTON_SCREEN         the output, WIDTHxHEIGHT (1280x1024)
#   KAVREL_WESTON_INPUT_MODULE   the test's input module (tests/wayland):
#                                the command moves and presses a pointer by
#                                writing to the FIFO in KAVREL_WESTON_INPUT
#
# The command gets WAYLAND_DISPLAY and XDG_RUNTIME_DIR of the session and
# no DISPLAY; weston runs with --debug, which lets weston-screenshooter and
# weston-debug in. Exits with the command's exit code.
set -uo pipefail

if [ "$#" -eq 0 ]; then
    echo "usage: $0 <command> [args...]" >&2
    exit 64
fi
if ! command -v weston >/dev/null 2>&1; then
    echo "weston-session: weston not found (Debian package: weston); run scripts/setup.sh" >&2
    exit 127
fi
SCREEN="${KAVREL_WESTON_SCREEN:-1280x1024}"
MODULE="${KAVREL_WESTON_INPUT_MODULE:?KAVREL_WESTON_INPUT_MODULE: the test input module}"
WAIT_TENTHS=100   # 10 s

runtime="$(mktemp -d "${TMPDIR:-/tmp}/weston-session.XXXXXX")"
chmod 700 "$runtime"
weston_pid=""
child_pid=""
cleanup() {
    for pid in "$child_pid" "$weston_pid"; do
        if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
            kill -TERM "$pid" 2>/dev/null
            wait "$pid" 2>/dev/null
        fi
    done
    rm -rf "$runtime"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

mkfifo "$runtime/input"
cat >"$runtime/weston.ini" <<'INI'
[core]
idle-time=0

[shell]
panel-position=top
locking=false
startup-animation=none
INI

# The renderer that draws into memory: --renderer=pixman since weston 12,
# where --use-pixman became a deprecated alias of it.
renderer=--use-pixman
weston --help 2>&1 | grep -q -- '--renderer=' && renderer=--renderer=pixman

XDG_RUNTIME_DIR="$runtime" KAVREL_WESTON_INPUT="$runtime/input" \
    weston --backend=headless-backend.so "$renderer" --width="${SCREEN%x*}" --height="${SCREEN#*x}" \
           --socket=wayland-kavrel --debug --modules="$MODULE" --config="$runtime/weston.ini" \
           --log="$runtime/weston.log" </dev/null >/dev/null 2>&1 &
weston_pid=$!

# Ready once the desktop shell has put up the output's background and panel.
# Without the startup animation no fading curtain lies over the output,
# which since weston 12 takes the pointer's clicks while it fades.
export XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY=wayland-kavrel KAVREL_WESTON_INPUT="$runtime/input"
unset DISPLAY
shell_ready() {
    local graph
    graph="$(weston-debug scene-graph 2>/dev/null)"
    grep -q 'background for output' <<<"$graph" && grep -q 'panel for output' <<<"$graph"
}
for ((i = 0; i < WAIT_TENTHS; i++)); do
    kill -0 "$weston_pid" 2>/dev/null || break
    shell_ready && break
    sleep 0.1
done
if ! shell_ready; then
    echo "weston-session: weston did not start" >&2
    sed 's/^/  weston: /' "$runtime/weston.log" >&2
    exit 1
fi

"$@" &
child_pid=$!
wait "$child_pid"
status=$?
child_pid=""
exit "$status"
