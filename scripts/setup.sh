#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages Kavrel needs, on Debian 12 (bookworm) or
# Debian 13 (trixie): the release is read from /etc/os-release.
#
#   scripts/setup.sh run       to build and run the program
#   scripts/setup.sh package   and to make its Debian package
#   scripts/setup.sh web       and to build its browser version
#   scripts/setup.sh test      and to run every test and benchmark
#
# Idempotent: only missing packages are installed, and nothing is printed
# when everything is already there.
set -euo pipefail

# The releases this script knows, and what differs between them: the name
# of libweston's development package, which carries weston's major version,
# and what builds the browser version. Debian 12 builds Qt for WebAssembly
# from its own source, so `web` and `test` also enable Debian's source
# packages there when apt has none; Debian 13 builds the same site in a
# Debian 12 root that debootstrap makes (scripts/web-in-debian12.sh).
. /etc/os-release 2>/dev/null || true
case "${ID:-}:${VERSION_CODENAME:-}" in
    debian:bookworm)
        WESTON_DEV=libweston-10-dev
        WEB_PACKAGES=(dpkg-dev brotli emscripten nodejs python3 python3-fonttools)
        QT_SOURCE=1
        ;;
    debian:trixie)
        WESTON_DEV=libweston-14-dev
        WEB_PACKAGES=(debootstrap)
        QT_SOURCE=0
        ;;
    *)
        echo "setup: ${PRETTY_NAME:-this system} is not supported; Kavrel's setup knows" \
             "Debian 12 (bookworm) and Debian 13 (trixie)" >&2
        exit 1
        ;;
esac
CODENAME=$VERSION_CODENAME

RUN_PACKAGES=(
    g++
    make
    cmake
    qt6-base-dev
    qt6-base-dev-tools
    libgl-dev
    libfontconfig-dev
    fonts-ipafont-gothic
    fonts-ipafont-mincho
    fonts-dejavu-core
    fonts-dejavu-extra
    qt6-wayland
)
PACKAGE_PACKAGES=(
    dpkg-dev
    file
)
TEST_PACKAGES=(
    nodejs
    python3
    libgtest-dev
    libbenchmark-dev
    xvfb
    xauth
    x11-utils
    xdotool
    x11-apps
    openbox
    weston
    "$WESTON_DEV"
    pkgconf
    dbus-daemon
    at-spi2-core
    python3-pyatspi
    libxcb1-dev
    strace
    valgrind
    lintian
    appstream
    desktop-file-utils
    man-db
    chromium
    python3-websocket
    python3-pil
    webkit2gtk-driver
    python3-selenium
    firefox-esr
    libgl1-mesa-dri
)

case "${1:-test}" in
    run) PACKAGES=("${RUN_PACKAGES[@]}") ;;
    package) PACKAGES=("${RUN_PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}") ;;
    web) PACKAGES=("${RUN_PACKAGES[@]}" "${WEB_PACKAGES[@]}") ;;
    test) PACKAGES=("${RUN_PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}" "${WEB_PACKAGES[@]}" "${TEST_PACKAGES[@]}") ;;
    *) echo "usage: $0 run|package|web|test" >&2; exit 64 ;;
esac

is_installed() {
    dpkg-query -W -f='${db:Status-Status}\n' "$1" 2>/dev/null | grep -qx installed
}

missing=()
for pkg in "${PACKAGES[@]}"; do
    is_installed "$pkg" || missing+=("$pkg")
done

# Debian's source of Qt, which scripts/qt-wasm.sh builds for WebAssembly.
needs_sources=0
if [ "$QT_SOURCE" -eq 1 ] && { [ "${1:-test}" = web ] || [ "${1:-test}" = test ]; }; then
    apt-get source --print-uris qt6-base >/dev/null 2>&1 || needs_sources=1
fi

if [ "${#missing[@]}" -eq 0 ] && [ "$needs_sources" -eq 0 ]; then
    exit 0
fi

[ "${#missing[@]}" -eq 0 ] || echo "setup: missing packages: ${missing[*]}" >&2

if ! command -v apt-get >/dev/null 2>&1; then
    echo "setup: apt-get not found; install these packages by hand: ${missing[*]}" >&2
    exit 1
fi

as_root=()
if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null 2>&1; then
        echo "setup: installing them needs root; run as root: bash $0 ${1:-test}" >&2
        exit 1
    fi
    as_root=(sudo)
fi

if [ "$needs_sources" -eq 1 ]; then
    echo "setup: enabling Debian's source packages (for Qt's source)" >&2
    printf '%s\n' 'Types: deb-src' 'URIs: http://deb.debian.org/debian' "Suites: $CODENAME $CODENAME-updates" \
        'Components: main' 'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg' '' \
        'Types: deb-src' 'URIs: http://security.debian.org/debian-security' "Suites: $CODENAME-security" \
        'Components: main' 'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg' |
        "${as_root[@]}" tee /etc/apt/sources.list.d/kavrel-debian-sources.sources >/dev/null
fi
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update
if [ "${#missing[@]}" -gt 0 ]; then
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi
