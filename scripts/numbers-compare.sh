#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Compares what the program computes in the desktop build (the x87) and in
# the WebAssembly build (the software extended type, under node): every
# click pixel of the plane at several scales and conditions, and a large
# random sample of operations (tests/numbers). Exits 0 when they are the
# same, else shows the first lines that differ.
#
#   scripts/numbers-compare.sh <desktop kavrel_numbers> <kavrel_numbers.js>
set -uo pipefail
desktop_program="${1:?usage: $0 <desktop kavrel_numbers> <kavrel_numbers.js>}"
web_program="${2:?usage: $0 <desktop kavrel_numbers> <kavrel_numbers.js>}"
if [ ! -f "$web_program" ]; then
    echo "numbers: $web_program not found; build the browser version first with 'make web'" >&2
    exit 1
fi
# Emscripten's loader reads the .wasm from a file, not through node's fetch.
web() { node --no-experimental-fetch "$web_program" "$@"; }

work="$(mktemp -d "${TMPDIR:-/tmp}/kavrel-numbers.XXXXXX")"
trap 'rm -rf "$work"' EXIT
"$desktop_program" >"$work/desktop" &
web >"$work/web"
wait $! || { echo "numbers: the desktop build failed" >&2; exit 1; }

if cmp -s "$work/desktop" "$work/web"; then
    echo "numbers: the same in both builds:"
    cat "$work/web"
    exit 0
fi
echo "numbers: the builds differ:" >&2
diff "$work/desktop" "$work/web" >&2
block="$(diff "$work/desktop" "$work/web" | sed -n 's/^[<>] \([a-z0-9-]*\) .*/\1/p' | head -n1)"
if [ -n "$block" ]; then
    # Into files: node leaves output to a pipe unwritten when it exits.
    "$desktop_program" "$block" >"$work/desktop-block"
    web "$block" >"$work/web-block"
    echo "numbers: the first lines of block $block that differ (desktop <, browser >):" >&2
    diff "$work/desktop-block" "$work/web-block" | head -n 20 >&2
fi
exit 1
