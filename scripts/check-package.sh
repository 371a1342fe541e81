#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the Debian package that `make package` made.
#
#   scripts/check-package.sh files <package dir>   lintian, the validators, Depends, stripping
#   scripts/check-package.sh runs <package dir>    the installed copy answers and runs
set -uo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
what="${1:?usage: $0 files|runs <package dir>}"
dir="${2:?usage: $0 files|runs <package dir>}"
shopt -s nullglob
debs=("$dir"/kavrel_*.deb)
if [ "${#debs[@]}" -ne 1 ]; then
    echo "check-package: expected one kavrel_*.deb in $dir (make package), found ${#debs[@]}" >&2
    exit 1
fi
deb="${debs[0]}"
root="$(mktemp -d "${TMPDIR:-/tmp}/kavrel-root.XXXXXX")"
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root" || exit 1
failures=0
fail() { echo "check-package: $*" >&2; failures=$((failures + 1)); }

check_files() {
    case "$(basename "$deb")" in
        kavrel_[0-9]*_"$(dpkg --print-architecture)".deb) ;;
        *) fail "the package is named $(basename "$deb"), not kavrel_<version>_<arch>.deb" ;;
    esac
    echo "--- lintian"
    lintian --fail-on error --tag-display-limit 0 "$deb" || fail "lintian reports errors"
    echo "--- appstreamcli validate"
    appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml || fail "the metainfo does not validate"
    echo "--- desktop-file-validate"
    desktop-file-validate "$root"/usr/share/applications/*.desktop || fail "the desktop entry does not validate"
    local depends
    depends="$(dpkg-deb -f "$deb" Depends)"
    echo "--- Depends: $depends"
    for needed in fonts-ipafont-gothic fonts-ipafont-mincho fonts-dejavu-extra libqt6widgets6; do
        grep -q "\b$needed\b" <<<"$depends" || fail "Depends lacks $needed"
    done
    grep -q '\bqt6-wayland\b' <<<"$(dpkg-deb -f "$deb" Recommends)" || fail "Recommends lacks qt6-wayland"
    local version
    version="$(dpkg-deb -f "$deb" Version)"
    grep -q "version=\"$version\"" "$root"/usr/share/metainfo/*.metainfo.xml || fail "the metainfo does not name version $version"
    file -b "$root/usr/bin/kavrel" | grep -q ', stripped' || fail "usr/bin/kavrel is not stripped"
    for size in 16 22 32 48 64 128 256; do
        [ -f "$root/usr/share/icons/hicolor/${size}x${size}/apps/kavrel.png" ] || fail "no ${size}x${size} icon"
    done
    for page in usr/share/man/man1/kavrel.1.gz usr/share/man/ja/man1/kavrel.1.gz \
                usr/share/doc/kavrel/copyright usr/share/doc/kavrel/changelog.gz \
                usr/share/icons/hicolor/scalable/apps/kavrel.svg; do
        [ -f "$root/$page" ] || fail "no $page"
    done
}

check_runs() {
    local program="$root/usr/bin/kavrel" out err status version
    version="$(dpkg-deb -f "$deb" Version)"
    out="$(env -u DISPLAY -u WAYLAND_DISPLAY "$program" --version 2>&1)"; status=$?
    [ "$status" -eq 0 ] && [ "$out" = "kavrel $version" ] || fail "--version gave '$out' with exit code $status"
    out="$(env -u DISPLAY -u WAYLAND_DISPLAY "$program" --help 2>/dev/null)"; status=$?
    [ "$status" -eq 0 ] && grep -q -- '--version' <<<"$out" || fail "--help gave exit code $status: $out"
    err="$(env -u DISPLAY -u WAYLAND_DISPLAY "$program" --frobnicate 2>&1 >/dev/null)"; status=$?
    [ "$status" -eq 2 ] && [ "$(wc -l <<<"$err")" -eq 1 ] && grep -q -- '--help' <<<"$err" \
        || fail "an unknown option gave exit code $status and '$err'"
    # No display to open: one line naming it, exit code 2, no abort.
    local no_display
    for no_display in "env -u DISPLAY -u WAYLAND_DISPLAY|there is no display" \
                      "env -u WAYLAND_DISPLAY DISPLAY=:999|the X display \":999\"" \
                      "env -u WAYLAND_DISPLAY QT_QPA_PLATFORM=nonexistent|platform \"nonexistent\""; do
        err="$(${no_display%%|*} "$program" 2>&1 >/dev/null)"; status=$?
        [ "$status" -eq 2 ] && [ "$(wc -l <<<"$err")" -eq 1 ] && grep -qF -- "${no_display#*|}" <<<"$err" \
            || fail "${no_display%%|*} gave exit code $status and '$err'"
    done
    echo "--- the installed copy under Xvfb"
    bash "$here/xvfb-session.sh" bash "$here/start-and-quit.sh" "$program" "$root/stderr" || fail "the installed copy did not start and quit with exit code 0"
}

case "$what" in
    files) check_files ;;
    runs) check_runs ;;
    *) echo "usage: $0 files|runs <package dir>" >&2; exit 64 ;;
esac
[ "$failures" -eq 0 ] && echo "check-package: $what: all checks passed"
exit $((failures > 0))
