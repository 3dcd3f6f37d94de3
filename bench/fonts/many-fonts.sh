#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Tarvelio developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Instructions to the settled first paint (callgrind) of Tarvelio and of the toolkit floor,
# with this machine's fonts, under the gtk3 platform theme that Qt takes on a GNOME
# desktop (XDG_CURRENT_DESKTOP=GNOME, Debian's qt6-gtk-platformtheme), and with the Noto
# families many desktops have (Debian's fonts-noto-core and fonts-noto-extra, about 1,800
# more files). Those are downloaded from
# the Debian archive and unpacked into the work folder, never installed: they reach the
# programs as the user's own fonts ($XDG_DATA_HOME/fonts), with fontconfig's cache built
# beforehand as on a desktop. Under the gtk3 theme Tarvelio is counted twice: the first time
# GDK probes the X server's OpenGL and leaves the visuals it chose on the root window, which
# every later GTK program of the session reads instead, as on a desktop where some GTK
# program has run before; on a fresh server (tools/bench) the first count is that of the
# session's first GTK program. For reference it also counts Tarvelio under Qt's own GNOME
# theme, which loads no GTK (QT_QPA_PLATFORMTHEME=gnome; bench/README.md tells why the
# program does not run so). Runs against an X server in $DISPLAY.
#   many-fonts.sh WORK_DIR TARVELIO FLOOR
set -eu
work=$1 tarvelio=$2 floor=$3
mkdir -p "$work"
work=$(cd "$work" && pwd)
fonts=$work/share/fonts
if [ ! -d "$fonts/noto" ]; then
    (cd "$work" && apt-get download fonts-noto-core fonts-noto-extra >/dev/null 2>&1) ||
        { echo "cannot download fonts-noto-core and fonts-noto-extra" >&2; exit 1; }
    for deb in "$work"/fonts-noto-*.deb; do dpkg-deb -x "$deb" "$work/unpacked"; done
    mkdir -p "$fonts"
    mv "$work/unpacked/usr/share/fonts/truetype/noto" "$fonts/noto"
    rm -rf "$work/unpacked" "$work"/fonts-noto-*.deb
fi
XDG_DATA_HOME=$work/share XDG_CACHE_HOME=$work/cache fc-cache >/dev/null 2>&1 || true
echo "fonts: $(fc-list | wc -l) on this machine," \
    "$(XDG_DATA_HOME=$work/share XDG_CACHE_HOME=$work/cache fc-list | wc -l) with the Noto families"

# Runs the program under callgrind, with the given variables set, until it has painted and
# gone idle (it has no timers, so idle costs nothing), then stops it; prints the count.
#   grind PROGRAM [NAME=VALUE...]
grind() {
    program=$1
    shift
    out=$(mktemp)
    env -u LC_ALL -u LC_NUMERIC LANG=de_DE.UTF-8 "$@" \
        valgrind --tool=callgrind --callgrind-out-file="$out" "$program" >/dev/null 2>&1 &
    pid=$!
    sleep 15
    kill -INT "$pid" 2>/dev/null || true
    sleep 1
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    awk '/^totals:/ { print $2 }' "$out"
    rm -f "$out"
}
noto="XDG_DATA_HOME=$work/share XDG_CACHE_HOME=$work/cache"
t_own=$(grind "$tarvelio")
f_own=$(grind "$floor")
t_first=$(grind "$tarvelio" XDG_CURRENT_DESKTOP=GNOME)
t_gtk=$(grind "$tarvelio" XDG_CURRENT_DESKTOP=GNOME)
f_gtk=$(grind "$floor" XDG_CURRENT_DESKTOP=GNOME)
t_gnome=$(grind "$tarvelio" QT_QPA_PLATFORMTHEME=gnome)
# shellcheck disable=SC2086 # two words, neither with blanks
t_many=$(grind "$tarvelio" $noto)
# shellcheck disable=SC2086
f_many=$(grind "$floor" $noto)
m() { awk -v n="$1" 'BEGIN { printf "%.1f M", n / 1e6 }'; }
r() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
echo "instructions to the settled first paint:"
echo "  this machine's fonts: tarvelio $(m "$t_own"), floor $(m "$f_own"), tarvelio/floor $(r "$t_own" "$f_own")"
echo "  gtk3 platform theme:  tarvelio $(m "$t_gtk"), floor $(m "$f_gtk"), tarvelio/floor $(r "$t_gtk" "$f_gtk")," \
    "tarvelio against its own count without the theme $(r "$t_gtk" "$t_own")"
echo "    the first GTK program on this X server: tarvelio $(m "$t_first") ($(r "$t_first" "$t_own"));" \
    "Qt's own GNOME theme, no GTK: tarvelio $(m "$t_gnome") ($(r "$t_gnome" "$t_own"))"
echo "  with the Noto fonts:  tarvelio $(m "$t_many"), floor $(m "$f_many"), tarvelio/floor $(r "$t_many" "$f_many")," \
    "tarvelio against its own count on this machine's fonts $(r "$t_many" "$t_own")"
