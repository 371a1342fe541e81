#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the browser version into build-web/site/: the same program for
# WebAssembly, with Qt for WebAssembly (built once by scripts/qt-wasm.sh)
# and Debian's emscripten.
set -euo pipefail
cd "$(dirname "$0")/.."

# The site is Debian 12's wherever it is built: elsewhere a Debian 12 root
# builds it.
if [ "$(. /etc/os-release && echo "${VERSION_CODENAME:-}")" != bookworm ]; then
    exec bash scripts/web-in-debian12.sh
fi

QT=$(bash scripts/qt-wasm.sh)
# Qt's CMake asks the emscripten stand-in folder next to it for the
# compiler's version; Debian's emscripten runs Debian's acorn.
export EMSDK="$(dirname "$QT")/emsdk"
export NODE_PATH="${NODE_PATH:-/usr/share/nodejs}"
# A build made with another Qt starts afresh.
if [ -f build-web/CMakeCache.txt ] && ! grep -q "^Qt6_DIR:PATH=$QT/" build-web/CMakeCache.txt; then
    rm -rf build-web
fi
"$QT/bin/qt-cmake" -S . -B build-web -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE=/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake >/dev/null
cmake --build build-web -j"${JOBS:-2}" --target site kavrel_numbers
echo "web: the site is in build-web/site/; try it with: python3 -m http.server -d build-web/site"
