# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the checks that run the real program through tests/web/desktop.py
# on a private Xvfb server (scripts/memcheck.sh, scripts/nothing-written.sh).
#
#   run_on_private_display CHECK SCRIPT [--on-display] [path/to/kavrel] -- TOOL...
#
# Sets ROOT (the repository) and KAVREL (the program, default build/kavrel)
# and checks that the program and the tools are there. Outside the private
# server it runs SCRIPT again on one and exits with its exit code; on the
# server it returns.
run_on_private_display() {
    local check="$1" script on_display=0
    script="$(realpath "$2")"
    shift 2
    if [ "${1:-}" = "--on-display" ]; then
        shift
        on_display=1
    fi
    local program="build/kavrel"
    if [ "${1:-}" != "--" ] && [ -n "${1:-}" ]; then
        program="$1"
        shift
    fi
    [ "${1:-}" = "--" ] && shift

    cd "$(dirname "$script")/.." || exit 1
    ROOT="$PWD"
    KAVREL="$(realpath -m "$program")"
    if [ ! -x "$KAVREL" ]; then
        echo "$check: $KAVREL not found; build it first with 'make build'" >&2
        exit 1
    fi
    local tool
    for tool in "$@"; do
        if ! command -v "$tool" >/dev/null 2>&1; then
            echo "$check: $tool not found; run scripts/setup.sh" >&2
            exit 1
        fi
    done
    if [ "$on_display" -eq 0 ]; then
        exec bash scripts/xvfb-session.sh bash "$script" --on-display "$KAVREL"
    fi
}

# Runs the scripted lesson (tests/web/desktop.py) on the program running as
# process PROGRAM, then gives "終わる" TENTHS tenths of a second to end it.
# Sets session_status and exit_code; a program that does not end is stopped
# and the CHECK fails.
lesson_until_ended() {
    local check="$1" program="$2" tenths="$3"
    /usr/bin/python3 "$ROOT/tests/web/desktop.py" "$program" "$KAVREL"
    session_status=$?
    for _ in $(seq 1 "$tenths"); do
        kill -0 "$program" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$program" 2>/dev/null; then
        kill "$program" 2>/dev/null
        echo "$check: FAIL: the program did not end after 終わる" >&2
        wait "$program"
        exit 1
    fi
    wait "$program"
    exit_code=$?
}
