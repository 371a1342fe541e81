#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks that Kavrel keeps its promise of reading and writing nothing of
# the learner's and of talking to nobody but the display.
#
#   scripts/nothing-written.sh [path/to/kavrel]     (default: build/kavrel)
#
# Runs a scripted session of the real program (tests/web/desktop.py: the
# conditions typed on the keypad, clicks on and off the curve, a click on F
# and its error box, the scroll bar, "再試行", "終わる") on a private Xvfb
# server (scripts/xvfb-session.sh), with an empty temporary HOME, the XDG
# directories and TMPDIR inside it and a read-only working directory, traced
# with strace. As root the program runs as the user nobody, for whom the
# working directory is really read-only.
#
# Fails when:
#   - the program does not end with exit code 0 after "終わる";
#   - a file or directory appears in, changes in or vanishes from the
#     temporary tree, except the platform's own font cache
#     ($XDG_CACHE_HOME/fontconfig);
#   - the trace shows a file created, opened for writing, renamed, linked or
#     removed anywhere, except that font cache and the device files;
#   - the trace shows an Internet socket (AF_INET, AF_INET6) or a connection
#     to anything but the display server (/tmp/.X11-unix/X<n>, also as the
#     abstract @/tmp/.X11-unix/X<n>) and the D-Bus sockets.
# Attempts to reach D-Bus are reported but do not fail the check: they are
# the platform's (Qt's desktop integration looking for a session or system
# bus), not the program's, which asks for no bus; the program sets nothing
# to stop them.
set -uo pipefail

source "$(dirname "$0")/private-display.sh"
run_on_private_display nothing-written "$0" "$@" -- strace xdotool xprop xwininfo

# ---- on the private display from here on ----

WORK="$(mktemp -d "${TMPDIR:-/tmp}/kavrel-nothing-written.XXXXXX")"
chmod 755 "$WORK"
cleanup() {
    chmod -R u+w "$WORK" 2>/dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT

TREE="$WORK/tree"
HOME_DIR="$TREE/home"
CWD="$TREE/cwd"
TRACE="$WORK/trace"
mkdir -p "$HOME_DIR/.config" "$HOME_DIR/.cache" "$HOME_DIR/.local/share" "$HOME_DIR/.local/state" \
         "$HOME_DIR/.run" "$HOME_DIR/tmp" "$CWD"
chmod 700 "$HOME_DIR/.run"

# As root, the program runs as nobody: root may write into any directory.
# A build tree that nobody may not enter gets its program copied out (the
# program is one file; its resources are compiled in).
as_user=()
if [ "$(id -u)" -eq 0 ]; then
    chown -R nobody:nogroup "$HOME_DIR"
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups --)
    if ! "${as_user[@]}" test -x "$KAVREL"; then
        mkdir -p "$WORK/bin"
        cp "$KAVREL" "$WORK/bin/"
        KAVREL="$WORK/bin/$(basename "$KAVREL")"
    fi
fi
chmod 555 "$CWD"

listing() {
    (cd "$TREE" && find . -printf '%y %m %s %T@ %p\n' | sort -k5)
}
listing >"$WORK/before"

# The environment holds only what a desktop session gives every program.
(
    cd "$CWD" || exit 1
    exec strace -f -qq -s 256 -o "$TRACE" \
        -e trace=network,open,openat,openat2,creat,mkdir,mkdirat,rename,renameat,renameat2,link,linkat,symlink,symlinkat,unlink,unlinkat,rmdir,truncate,execve \
        "${as_user[@]}" env -i \
        PATH=/usr/bin:/bin \
        DISPLAY="$DISPLAY" \
        HOME="$HOME_DIR" \
        XDG_CONFIG_HOME="$HOME_DIR/.config" \
        XDG_CACHE_HOME="$HOME_DIR/.cache" \
        XDG_DATA_HOME="$HOME_DIR/.local/share" \
        XDG_STATE_HOME="$HOME_DIR/.local/state" \
        XDG_RUNTIME_DIR="$HOME_DIR/.run" \
        TMPDIR="$HOME_DIR/tmp" \
        DBUS_SESSION_BUS_ADDRESS="unix:path=$HOME_DIR/.run/bus" \
        LANG=C.UTF-8 \
        QT_QPA_PLATFORM=xcb \
        "$KAVREL"
) >"$WORK/output" 2>&1 &
program=$!

lesson_until_ended nothing-written "$program" 100

listing >"$WORK/after"

failures=0
fail() {
    echo "nothing-written: FAIL: $*" >&2
    failures=$((failures + 1))
}

if [ "$session_status" -ne 0 ]; then
    fail "the scripted session could not drive the window"
fi
if [ "$exit_code" -ne 0 ]; then
    fail "the program ended with exit code $exit_code"
    sed 's/^/  kavrel: /' "$WORK/output" >&2
fi

# Files: what changed in the tree, less the font cache.
FONT_CACHE="./home/.cache/fontconfig"
changed="$(diff "$WORK/before" "$WORK/after" | grep '^[<>]' | grep -v " $FONT_CACHE\(/\|\$\)" \
           | grep -v ' \./home/\.cache$')"
font_cache_files="$(grep -c " $FONT_CACHE/" "$WORK/after")"
if [ -n "$changed" ]; then
    fail "files changed in the temporary HOME or working directory:"
    echo "$changed" | sed 's/^/  /' >&2
fi

# Writes anywhere, as the trace shows them.
cache_abs="$HOME_DIR/.cache/fontconfig"
# Attempts count as well as successes: a write that the read-only directory
# refused is still a broken promise. Only a mkdir of a directory that exists
# (Qt making sure of XDG_RUNTIME_DIR) creates nothing and does not count.
writes="$(grep -E '(open|openat|openat2|creat)\(' "$TRACE" | grep -E 'O_(WRONLY|RDWR|CREAT|TRUNC)' \
          | grep -v "\"$cache_abs" | grep -vE '"/dev/(null|tty|zero|full|u?random|dri/[^"]*)"')"
changes="$(grep -E '(mkdir|mkdirat|rename|renameat|renameat2|link|linkat|symlink|symlinkat|unlink|unlinkat|rmdir|truncate)\(' "$TRACE" \
           | grep -v "\"$cache_abs" | grep -vE "\"$HOME_DIR/\\.cache\"" \
           | grep -vE '^[0-9]+ +mkdir(at)?\(.*= -1 EEXIST')"
if [ -n "$writes$changes" ]; then
    fail "the trace shows files written, created or removed (or attempts):"
    printf '%s\n%s\n' "$writes" "$changes" | sed '/^$/d; s/^/  /' >&2
fi

# Network: only the display server; D-Bus reported.
display_number="${DISPLAY#:}"
display_number="${display_number%%.*}"
inet="$(grep -E 'socket\((AF_INET|AF_INET6|PF_INET|PF_INET6),' "$TRACE")"
connects="$(grep -E '(connect|sendto|sendmsg)\(' "$TRACE" | grep -E 'sa_family=' )"
dbus="$(echo "$connects" | grep -E 'dbus|/bus"|@"?/tmp/dbus' )"
# The C library asks its name-service cache daemon for the user's entry:
# a local service of the platform, not a connection of the program's.
nscd="$(echo "$connects" | grep -E 'sun_path="(/var)?/run/nscd/socket"')"
others="$(echo "$connects" | grep -vE "sun_path=@?\"/tmp/\\.X11-unix/X${display_number}\"" \
          | grep -vE 'dbus|/bus"|@"?/tmp/dbus' | grep -vE 'sun_path="(/var)?/run/nscd/socket"' | sed '/^$/d')"
if [ -n "$inet" ]; then
    fail "Internet sockets were opened:"
    echo "$inet" | sed 's/^/  /' >&2
fi
if [ -n "$others" ]; then
    fail "connections to something other than the display server:"
    echo "$others" | sed 's/^/  /' >&2
fi

# Programs started: the program starts none.
programs="$(grep -E 'execve\(' "$TRACE" | grep -v '= -1 ' | grep -vE "execve\\(\"[^\"]*/(env|setpriv)\"|execve\\(\"$KAVREL\"")"
if [ -n "$programs" ]; then
    fail "programs were started:"
    echo "$programs" | sed 's/^/  /' >&2
fi

display_connections="$(echo "$connects" | grep -cE "sun_path=@?\"/tmp/\\.X11-unix/X${display_number}\"")"
home_reads="$(grep -E '(open|openat)\(' "$TRACE" | grep -F "\"$HOME_DIR" | grep -v "\"$cache_abs" \
              | sed -E 's/.*"([^"]*)".*/\1/' | sed "s|^$HOME_DIR|~|" | sort -u | tr '\n' ' ')"
echo "nothing-written: exit code $exit_code; files left: $font_cache_files in the font cache, nothing else;" \
     "display connections: $display_connections; D-Bus attempts: $(echo "$dbus" | sed '/^$/d' | wc -l)"
if [ -n "$dbus" ]; then
    echo "nothing-written: note: D-Bus attempts by the platform (not counted as the program's):"
    echo "$dbus" | sed 's/^/  /'
fi
if [ -n "$nscd" ]; then
    echo "nothing-written: note: $(echo "$nscd" | wc -l) look-ups of the C library's name-service cache (nscd)"
fi
if [ -n "$home_reads" ]; then
    echo "nothing-written: note: files looked for in HOME by the platform: $home_reads"
fi

if [ "$failures" -ne 0 ]; then
    exit 1
fi
echo "nothing-written: PASS"
