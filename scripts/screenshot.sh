#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Remakes docs/screenshot.png: the window with a parabola traced by clicks.
#
#   scripts/screenshot.sh [picture.png]
#
# Builds the screenshot session (bench/Screenshot.cpp) in build-bench/,
# then runs it on a private Xvfb server (scripts/xvfb-session.sh): it shows
# the window, enters the parabola's conditions on the keypad, clicks points
# of the parabola and saves what the X server shows of the window.
set -euo pipefail

cd "$(dirname "$0")/.."
picture="${1:-docs/screenshot.png}"

cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-bench -j2 --target kavrel_screenshot >/dev/null
mkdir -p "$(dirname "$picture")"
QT_QPA_PLATFORM=xcb bash scripts/xvfb-session.sh build-bench/bench/kavrel_screenshot "$picture"
