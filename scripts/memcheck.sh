#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the real Kavrel under Valgrind's memcheck through a short scripted
# lesson (tests/web/desktop.py) on a private Xvfb server, and judges the log.
#
#   scripts/memcheck.sh [path/to/kavrel]     (default: build/kavrel)
#
# Exit code 0 when it passes, 1 when it fails, 77 when valgrind is missing.
# Fails when:
#   - the program does not end with exit code 0 after "終わる";
#   - memcheck reports an invalid read, write or free, or a mismatched free,
#     anywhere (the program's code, Qt or any library);
#   - memcheck reports the use of an uninitialised value (a conditional
#     jump, a use, or a system call parameter) in the program's own code:
#     one of the four innermost frames where it happened, or where the
#     uninitialised value was created, lies in src/ (or in the program's
#     binary).
# Uses of uninitialised values that happen inside Qt, fontconfig, freetype,
# the X libraries and the C/C++ runtime are the platform's: they
# are not the program's to fix; the script counts them by their innermost
# frame and prints the counts, without failing.
#
# Valgrind does not emulate the x87's 80-bit precision: the program's
# extended-precision arithmetic runs at 64 bits under it, which may change
# which clicks land exactly on F, but not what is read or written in memory.
set -uo pipefail

# Without valgrind the check cannot run: exit 77, which ctest reports as
# skipped (the Debian package is valgrind).
if ! command -v valgrind >/dev/null 2>&1; then
    echo "memcheck: valgrind not found (Debian package valgrind); skipped" >&2
    exit 77
fi
source "$(dirname "$0")/private-display.sh"
run_on_private_display memcheck "$0" "$@" -- xdotool xprop xwininfo

WORK="$(mktemp -d "${TMPDIR:-/tmp}/kavrel-memcheck.XXXXXX")"
trap 'rm -rf "$WORK"' EXIT
LOG="$WORK/memcheck.log"

QT_QPA_PLATFORM=xcb valgrind --tool=memcheck --error-limit=no --num-callers=40 --fullpath-after= --track-origins=yes \
    --leak-check=no --log-file="$LOG" "$KAVREL" >"$WORK/output" 2>&1 &
program=$!

KAVREL_SESSION_WAIT_TENTHS=1800 KAVREL_SESSION_STEP_PAUSE=0.3 lesson_until_ended memcheck "$program" 600

# Splits the log into error blocks (a headline, then its stack) and sorts
# them into the program's and the platform's.
# An error is the program's when one of the innermost frames of the stack
# where it happened, or of the stack that created the uninitialised value,
# lies in its sources or its binary (every stack ends in main, whatever
# library erred, so the outer frames say nothing).
report="$(awk -v src="$ROOT/src/" -v binary="(in $KAVREL)" -v depth=4 '
    function flush() {
        if (kind == "") return
        own = index(inner, src) > 0 || index(inner, binary) > 0 || index(created, src) > 0 || index(created, binary) > 0
        if (kind == "invalid") {
            invalid++
            print "INVALID " headline
            print stack
        } else if (own) {
            owned++
            print "OWN " headline
            print stack
        } else {
            what = headline
            sub(/^==[0-9]+== /, "", what)
            where = first
            sub(/^==[0-9]+== +at 0x[0-9A-F]+: /, "", where)
            gsub(/\([^()]*\//, "(", where)
            platform[what " in " where]++
        }
        kind = ""; stack = ""; first = ""; inner = ""; created = ""; frames = 0; origin = 0; createdFrames = 0
    }
    /^==[0-9]+== (Invalid (read|write|free)|Mismatched free)/ { flush(); kind = "invalid"; headline = $0; next }
    /^==[0-9]+== (Conditional jump or move depends on uninitialised|Use of uninitialised value|Syscall param .* uninitialised)/ {
        flush(); kind = "uninit"; headline = $0; next
    }
    /^==[0-9]+== +(Address 0x|Block was alloc)/ { origin = 1 }
    /^==[0-9]+== +Uninitialised value was created/ { origin = 2 }
    /^==[0-9]+== +(at|by) 0x/ {
        if (kind != "") {
            stack = stack $0 "\n"
            if (first == "") first = $0
            if (!origin && frames++ < depth) inner = inner $0 "\n"
            if (origin == 2 && createdFrames++ < depth) created = created $0 "\n"
        }
        next
    }
    /^==[0-9]+== *$/ { flush(); next }
    END {
        flush()
        printf "SUMMARY invalid=%d own=%d\n", invalid, owned
        for (where in platform) printf "PLATFORM %d x %s\n", platform[where], where
    }
' "$LOG")"

invalid="$(echo "$report" | sed -n 's/^SUMMARY invalid=\([0-9]*\).*/\1/p')"
owned="$(echo "$report" | sed -n 's/^SUMMARY .* own=\([0-9]*\)/\1/p')"
total_errors="$(sed -n 's/.*ERROR SUMMARY: \([0-9]*\) errors.*/\1/p' "$LOG" | tail -1)"

failures=0
if [ "$session_status" -ne 0 ]; then
    echo "memcheck: FAIL: the scripted session could not drive the window" >&2
    failures=$((failures + 1))
fi
if [ "$exit_code" -ne 0 ]; then
    echo "memcheck: FAIL: the program ended with exit code $exit_code" >&2
    sed 's/^/  kavrel: /' "$WORK/output" >&2
    failures=$((failures + 1))
fi
if [ "${invalid:-0}" -ne 0 ] || [ "${owned:-0}" -ne 0 ]; then
    echo "memcheck: FAIL: $invalid invalid accesses, $owned uses of uninitialised values in the program's code:" >&2
    echo "$report" | grep -v -E '^(SUMMARY|PLATFORM) ' | sed 's/^/  /' >&2
    failures=$((failures + 1))
fi
echo "memcheck: exit code $exit_code; memcheck errors in all: ${total_errors:-?}; invalid reads/writes/frees: ${invalid:-?};" \
     "uses of uninitialised values in the program's code: ${owned:-?}"
platform="$(echo "$report" | grep '^PLATFORM ' | sed 's/^PLATFORM /  /')"
if [ -n "$platform" ]; then
    echo "memcheck: uses of uninitialised values inside the platform (not the program's), by innermost frame:"
    echo "$platform"
fi
if grep -q "unsupported x87\|x87 precision" "$LOG"; then
    echo "memcheck: note: valgrind ran the x87 arithmetic at 64-bit precision"
fi
[ "$failures" -eq 0 ] && echo "memcheck: PASS"
[ "$failures" -eq 0 ]
