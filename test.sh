#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Kavrel with its tests and its Debian package and runs every test
# through ctest. Whatever is missing is installed first (scripts/setup.sh,
# with apt-get: as root or through sudo), make among it, so this works on a
# bare Debian 12 with no display and no locale; then `make test`.
set -euo pipefail
cd "$(dirname "$0")"
bash scripts/setup.sh test
exec make test
