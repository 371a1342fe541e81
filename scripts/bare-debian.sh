#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the README's two commands, word for word, in a bare Debian root: as
# root, in an empty environment (HOME and the PATH of root's login shell),
# with no locale and no display tools, as on a machine just installed.
#
#   scripts/bare-debian.sh <suite>      (make test-debian13: trixie)
#
# The bare root is made by debootstrap once and kept in
# $KAVREL_CACHE/debian-<suite>/bare (default ~/.cache/kavrel). Every check
# starts from a fresh copy of it (.../run, left there for a look
# afterwards) holding a clone of this repository's HEAD in /root/kavrel:
# what is not committed is not checked. Kept between checks, as a machine
# keeps them: the packages apt has downloaded, and the root's
# ~/.cache/kavrel, where `make web` builds Qt for WebAssembly once.
#
# ./run.sh gets a private Xvfb of this machine as its display; once the
# window is there, the check presses "終わる" and expects exit code 0.
# ./test.sh gets no display at all. Needs root (debootstrap, chroot).
set -euo pipefail

SUITE=${1:?usage: $0 <suite, e.g. trixie>}
MIRROR=http://deb.debian.org/debian
CACHE=${KAVREL_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/kavrel}
HERE=$(cd "$(dirname "$0")" && pwd)
DIR=$CACHE/debian-$SUITE
ROOT=$DIR/run
QUIT_X=974 QUIT_Y=665   # the middle of "終わる" in the client area
WINDOW_WAIT_TENTHS=36000   # an hour: the packages and the build come first

say() { echo "bare-debian: $*" >&2; }

# Runs a command in /root/kavrel as root would at the console: with HOME,
# the PATH of root's login shell and nothing else (no locale); with the
# private display when one is given.
in_root() {
    local display=$1 command=$2 binds=(--bind "$DIR/apt-archives:/var/cache/apt/archives"
                                       --bind "$DIR/kavrel-cache:/root/.cache/kavrel") environment=(HOME=/root)
    if [ -n "$display" ]; then
        binds+=(--bind /tmp/.X11-unix)
        environment+=("DISPLAY=$display")
    fi
    bash "$HERE/in-root.sh" "$ROOT" "${binds[@]}" -- \
        /usr/bin/env -i "${environment[@]}" /bin/bash -l -c "cd /root/kavrel && $command"
}

# On the private display: ./run.sh, its window, "終わる" and the exit code.
if [ "${2:-}" = --on-display ]; then
    in_root "$DISPLAY" ./run.sh &
    run=$!
    window=""
    for ((i = 0; i < WINDOW_WAIT_TENTHS; i++)); do
        window=$(xdotool search --onlyvisible --name Kavrel 2>/dev/null | head -n 1 || true)
        [ -n "$window" ] && break
        kill -0 "$run" 2>/dev/null || break
        sleep 0.1
    done
    if [ -z "$window" ]; then
        say "./run.sh showed no window"
        exit 1
    fi
    eval "$(xdotool getwindowgeometry --shell "$window")"
    xdotool mousemove --sync $((X + QUIT_X)) $((Y + QUIT_Y)) click 1
    status=0
    wait "$run" || status=$?
    say "./run.sh: the window came, 終わる ended it with exit code $status"
    exit "$status"
fi

if [ "$(id -u)" -ne 0 ]; then
    say "debootstrap and chroot need root; run it as root"
    exit 1
fi
command -v debootstrap >/dev/null || apt-get install -y --no-install-recommends debootstrap
for tool in Xvfb xdotool git; do
    command -v "$tool" >/dev/null || { say "$tool not found; run scripts/setup.sh test"; exit 1; }
done

mkdir -p "$DIR/apt-archives" "$DIR/kavrel-cache"
if [ ! -e "$DIR/bare.done" ]; then
    say "making a bare Debian root with debootstrap in $DIR/bare (once)"
    rm -rf --one-file-system "$DIR/bare"
    started=$SECONDS
    debootstrap "$SUITE" "$DIR/bare" "$MIRROR" >"$DIR/debootstrap.log" 2>&1 \
        || { tail -n 20 "$DIR/debootstrap.log" >&2; exit 1; }
    touch "$DIR/bare.done"
    say "debootstrap took $((SECONDS - started)) s"
fi
rm -rf --one-file-system "$ROOT"
cp -a "$DIR/bare" "$ROOT"
repository=$(git -C "$HERE" rev-parse --show-toplevel)
git clone -q --no-hardlinks "$repository" "$ROOT/root/kavrel"
[ -z "$(git -C "$repository" status --porcelain)" ] || say "changes not committed are not checked"
say "$(. "$ROOT/etc/os-release" && echo "$PRETTY_NAME"), commit $(git -C "$ROOT/root/kavrel" log -1 --format=%h)"

started=$SECONDS
bash "$HERE/xvfb-session.sh" bash "$0" "$SUITE" --on-display || { say "FAILED: ./run.sh"; exit 1; }
say "./run.sh passed in $((SECONDS - started)) s"

started=$SECONDS
in_root "" ./test.sh || { say "FAILED: ./test.sh, after $((SECONDS - started)) s"; exit 1; }
say "./test.sh passed in $((SECONDS - started)) s"
