#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the browser version on a system other than Debian 12 (Debian 13):
# in a Debian 12 root, with the same scripts as on Debian 12 itself
# (scripts/setup.sh web, scripts/web.sh), so that the site is the one
# Debian 12 builds: Qt 6.4.2 for WebAssembly from Debian 12's source with
# the project's patches, Debian 12's emscripten and fontTools. Qt's
# WebAssembly platform differs too much between 6.4 and 6.8 for the
# project's patches, and a learner should get the same site from either.
#
#   scripts/web-in-debian12.sh          (scripts/web.sh calls it)
#
# The root is made once by debootstrap, with Qt for WebAssembly built in it
# once, and kept in $KAVREL_CACHE/debian-bookworm-web (~/.cache/kavrel).
# The clone is bound into the root at its own path, so build-web/ is where
# it would be on Debian 12. Needs root (debootstrap, chroot), through sudo
# when not run as root.
set -euo pipefail

HERE=$(cd "$(dirname "$0")" && pwd)
REPOSITORY=$(cd "$HERE/.." && pwd)
CACHE=${KAVREL_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/kavrel}
DIR=$CACHE/debian-bookworm-web
ROOT=$DIR/root

as_root=()
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "web: building the site in a Debian 12 root needs root; run as root" >&2; exit 1; }
    as_root=(sudo)
fi

mkdir -p "$DIR"
if [ ! -e "$DIR/root.done" ]; then
    echo "web: making a Debian 12 root with debootstrap in $ROOT (once)" >&2
    "${as_root[@]}" rm -rf --one-file-system "$ROOT"
    "${as_root[@]}" debootstrap --variant=minbase bookworm "$ROOT" http://deb.debian.org/debian >"$DIR/debootstrap.log" 2>&1 \
        || { tail -n 20 "$DIR/debootstrap.log" >&2; exit 1; }
    touch "$DIR/root.done"
fi

"${as_root[@]}" bash "$HERE/in-root.sh" "$ROOT" --bind "$REPOSITORY" -- \
    /usr/bin/env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin JOBS="${JOBS:-2}" \
    /bin/bash -c 'cd "$1" && bash scripts/setup.sh web && bash scripts/web.sh' web "$REPOSITORY"
# What the root built belongs to whoever owns the clone.
"${as_root[@]}" chown -R --reference="$REPOSITORY" "$REPOSITORY/build-web"
