#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the program with a font configuration that holds only DejaVu, no
# face with Japanese: it says so once on standard error, naming the Debian
# packages to install, and its window still comes up and quits normally.
#
#   scripts/no-japanese-font.sh <program>
set -uo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
program="${1:?usage: $0 <program>}"
work="$(mktemp -d "${TMPDIR:-/tmp}/kavrel-fonts.XXXXXX")"
trap 'rm -rf "$work"' EXIT
cat >"$work/fonts.conf" <<CONF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <dir>/usr/share/fonts/truetype/dejavu</dir>
  <cachedir>$work/cache</cachedir>
</fontconfig>
CONF
FONTCONFIG_FILE="$work/fonts.conf" bash "$here/xvfb-session.sh" bash "$here/start-and-quit.sh" "$program" "$work/stderr"
status=$?
cat "$work/stderr" >&2
[ "$status" -eq 0 ] || { echo "no-japanese-font: the program did not start and quit normally" >&2; exit 1; }
said="$(grep -c 'fonts-ipafont-gothic and fonts-ipafont-mincho' "$work/stderr")"
[ "$said" -eq 1 ] || { echo "no-japanese-font: the message came $said times, not once" >&2; exit 1; }
echo "no-japanese-font: said once and the window came up"
