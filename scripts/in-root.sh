#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command in a Debian root made by debootstrap, as root:
#
#   scripts/in-root.sh <root> [--bind <folder>[:<place>]]... -- <command> [args...]
#
# The root gets /proc, /sys, /dev and a fresh /run, its resolver from this
# machine, and each folder bound at its place in the root (by default at
# the same path). All of it lives in a mount namespace of its own and ends
# with the command; nothing is mounted on this machine. The command runs
# as `chroot` starts it, with this script's environment: callers that want
# an empty one say so (env -i). Exits with the command's exit code.
set -euo pipefail

ROOT=${1:?usage: $0 <root> [--bind <folder>[:<place>]]... -- <command> [args...]}
shift
binds=()
while [ "${1:-}" = --bind ]; do
    binds+=("$2")
    shift 2
done
[ "${1:-}" = -- ] && shift
[ "$#" -gt 0 ] || { echo "in-root: no command" >&2; exit 64; }

cp /etc/resolv.conf "$ROOT/etc/resolv.conf"
# Run within another root (make web in the Debian 13 root of make
# test-debian13), "/" is no mount point and cannot be made private; the
# mount namespace that root runs in is a private one already.
propagation=private
mountpoint -q / || propagation=unchanged
exec unshare --mount --propagation "$propagation" bash -euc '
    root=$1 count=$2
    shift 2
    mount -t proc proc "$root/proc"
    mount --rbind /sys "$root/sys"
    mount --rbind /dev "$root/dev"
    mount -t tmpfs tmpfs "$root/run"
    for ((i = 0; i < count; i++)); do
        folder=${1%%:*} place=${1#*:}
        [ "$place" = "$1" ] && place=$folder
        mkdir -p "$root/$place"
        mount --bind "$folder" "$root/$place"
        shift
    done
    exec chroot "$root" "$@"
' in-root "$ROOT" "${#binds[@]}" "${binds[@]}" "$@"
