#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Qt for WebAssembly from Debian's own qt6-base source with Debian's
# emscripten, once, and prints the folder it is installed in.
#
#   scripts/qt-wasm.sh            build when missing, print the prefix
#
# Qt's WebAssembly platform is built with the project's patches on top of
# Debian's (scripts/qt-wasm/patches, applied in the order of their series
# file, as Debian applies its own).
#
# The build lives outside the clone, in $KAVREL_CACHE (default
# ~/.cache/kavrel), under a name made of Qt's version and a hash of the
# configure line, the compiler's version and the patches, so every clone on
# the machine shares it and a change of any of them builds a new one.
set -euo pipefail

CACHE=${KAVREL_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/kavrel}
EMSCRIPTEN_TOOLCHAIN=/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake
PATCHES=$(cd "$(dirname "$0")/qt-wasm/patches" && pwd)

# What the program does not use is left out: it needs Widgets, the wasm
# platform, fonts through the bundled freetype and harfbuzz, and PNG for its
# icon. Optimised for size: the program is mostly Qt, and a school's network
# carries it to every learner (a quarter smaller than optimised for speed).
CONFIGURE=(
    -platform wasm-emscripten -qt-host-path /usr -static -release -optimize-size
    -nomake examples -nomake tests
    -qt-zlib -qt-libpng -qt-freetype -qt-harfbuzz -qt-pcre -qt-doubleconversion
    -no-feature-sql -no-feature-network -no-feature-printsupport
    -no-feature-concurrent -no-feature-xml -no-feature-dbus -no-feature-jpeg
    -no-feature-testlib
    -- -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
    -DCMAKE_TOOLCHAIN_FILE=$EMSCRIPTEN_TOOLCHAIN
)

mkdir -p "$CACHE"
source_dir() { find "$CACHE/source" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*' 2>/dev/null | head -n1; }

# Debian's source of the installed Qt: the same version the desktop build
# links.
if [ -z "$(source_dir)" ]; then
    rm -rf "$CACHE/source" && mkdir -p "$CACHE/source"
    (cd "$CACHE/source" && apt-get source -q qt6-base="$(dpkg-query -W -f='${Version}' qt6-base-dev)" >&2)
fi
SOURCE=$(source_dir)
QT_VERSION=$(sed -n 's/^Version: \([0-9.]*\).*/\1/p' "$CACHE"/source/qt6-base_*.dsc)
PATCH_FILES=($(grep -v '^#' "$PATCHES/series"))
KEY=$( (printf '%s\n' "${CONFIGURE[@]}"; emcc --version | head -n1; cd "$PATCHES" && cat "${PATCH_FILES[@]}") |
      sha256sum | cut -c1-12)
PREFIX=$CACHE/qt-wasm-$QT_VERSION-$KEY

if [ -x "$PREFIX/bin/qt-cmake" ]; then
    echo "$PREFIX"
    exit 0
fi

# Qt's build asks $EMSDK/.emscripten where emscripten's root is and runs
# emcc from there; Debian's emscripten is not an emsdk, so a small folder
# of links stands in for one.
EMSDK=$CACHE/emsdk
mkdir -p "$EMSDK/root"
echo "EMSCRIPTEN_ROOT = 'root'" > "$EMSDK/.emscripten"
for tool in emcc em++ emar emranlib; do ln -sf "/usr/bin/$tool" "$EMSDK/root/$tool"; done
ln -sfn /usr/share/emscripten/cmake "$EMSDK/root/cmake"
export EMSDK
# Debian's emscripten runs Debian's acorn, which another node finds only here.
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}

BUILD=$PREFIX.build
PATCHED=$PREFIX.source
rm -rf "$BUILD" "$PATCHED" "$PREFIX"
mkdir -p "$BUILD"
echo "qt-wasm: building Qt $QT_VERSION for WebAssembly in $BUILD (once per machine)" >&2
started=$SECONDS
# Each step stops the build itself: errexit does not hold in a subshell
# whose status || tests, and a patch that did not apply must not give a
# Qt under the patches' name.
(
    # Linked, not copied: patch writes each file it changes anew, so
    # Debian's tree stays as it came.
    cp -al "$SOURCE" "$PATCHED" || exit 1
    for patch in "${PATCH_FILES[@]}"; do
        patch -d "$PATCHED" -p1 --forward --no-backup-if-mismatch <"$PATCHES/$patch" || exit 1
    done
    cd "$BUILD" || exit 1
    "$PATCHED/configure" -prefix "$PREFIX" "${CONFIGURE[@]}" || exit 1
    cmake --build . --parallel "${JOBS:-2}" || exit 1
    cmake --install .
) >"$BUILD.log" 2>&1 || { tail -n 40 "$BUILD.log" >&2; echo "qt-wasm: failed; the whole log is $BUILD.log" >&2; exit 1; }
rm -rf "$BUILD" "$PATCHED"
echo "qt-wasm: built in $((SECONDS - started)) s" >&2
echo "$PREFIX"
