#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts Kavrel from the build tree. Needs a display.
set -euo pipefail

cd "$(dirname "$0")/.."

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    cat >&2 <<'MSG'
kavrel: there is no display (neither DISPLAY nor WAYLAND_DISPLAY is set).
Kavrel is a desktop program and needs a graphical session to show its window.
To run it under a virtual X server instead (xvfb-run is in the xvfb package):

    xvfb-run -a -s "-screen 0 1280x1024x24" build/kavrel

MSG
    exit 2
fi

if [ ! -x build/kavrel ]; then
    echo "kavrel: build/kavrel not found; build it first with 'make build'" >&2
    exit 1
fi

exec build/kavrel "$@"
