#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Kavrel and opens its window. Whatever is missing is installed
# first (scripts/setup.sh, with apt-get: as root or through sudo), make
# among it, so this works on a bare Debian 12; then `make run`.
set -euo pipefail
cd "$(dirname "$0")"
bash scripts/setup.sh run
exec make run
