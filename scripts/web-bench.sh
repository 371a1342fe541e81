#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The browser version's figures (bench/web_bench.py): the site of `make web`
# with the bare window beside it, in build-web/bench-site/.
#
#   scripts/web-bench.sh <plane_bench's JSON output>
set -euo pipefail
cd "$(dirname "$0")/.."
export EMSDK="$(dirname "$(bash scripts/qt-wasm.sh)")/emsdk"
export NODE_PATH="${NODE_PATH:-/usr/share/nodejs}"
export KAVREL_WINDOW_FACTS="${KAVREL_WINDOW_FACTS:-$PWD/build-bench/kavrel-window.json}"
cmake --build build-web -j"${JOBS:-2}" --target web_bare >/dev/null
rm -rf build-web/bench-site
cp -r build-web/site build-web/bench-site
cp build-web/web/bare.js build-web/web/bare.wasm build-web/bench-site/
# The same page, starting the bare window instead of the program, without
# keeping the site.
sed "s/kavrel\.js?v=/bare.js?v=/; s/kavrel\.wasm/bare.wasm/; s/'serviceWorker' in navigator/false/" \
    build-web/site/index.html >build-web/bench-site/bare.html
for file in bare.js bare.wasm; do
    gzip -9 -n -k build-web/bench-site/$file
    brotli -q 11 -k build-web/bench-site/$file
done
/usr/bin/python3 bench/web_bench.py build-web/bench-site "$1"
