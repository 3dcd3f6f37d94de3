#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Tarvelio developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The program as a native Wayland client driven as a person would: a private headless sway,
# keys through a virtual keyboard (wtype), the clipboard through wl-copy and wl-paste. Each
# step's outcome is read back with Ctrl+C. Skips (77) where these are not installed.
#   wayland-keys.sh PROGRAM APP_ID QT_VERSION
set -u
program=$1
app_id=$2
qt_version=${3:-}
skip() { echo "SKIPPED: $*"; exit 77; }
for need in sway swaymsg wtype wl-copy wl-paste setpriv; do
    command -v "$need" >/dev/null || skip "$need is not installed (Debian packages: sway wtype wl-clipboard)"
done
ls /usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so >/dev/null 2>&1 || skip "Qt's Wayland platform is not installed"

tmp=$(mktemp -d)
chmod 755 "$tmp"
XDG_RUNTIME_DIR=$tmp/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
export XDG_RUNTIME_DIR
printf 'output HEADLESS-1 resolution 1024x768\n' >"$tmp/config"
# sway refuses to run as root: there it runs as nobody, and the rest connects to it.
as=""
if [ "$(id -u)" -eq 0 ]; then
    chown 65534:65534 "$XDG_RUNTIME_DIR"
    as="setpriv --reuid=65534 --regid=65534 --clear-groups"
fi
# shellcheck disable=SC2086 # $as is a command prefix or nothing
env HOME="$tmp" WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
    $as sway -c "$tmp/config" >"$tmp/sway.log" 2>&1 &
compositor=$!
app=""
keyboard=""
cleanup() {
    for p in $app $keyboard $compositor; do kill "$p" 2>/dev/null; done
    wait 2>/dev/null
    rm -rf "$tmp"
}
trap cleanup EXIT INT TERM

i=0
until WAYLAND_DISPLAY=$(ls "$XDG_RUNTIME_DIR" 2>/dev/null | grep -m1 '^wayland-[0-9]*$') && [ -n "$WAYLAND_DISPLAY" ] \
    && SWAYSOCK=$(ls "$XDG_RUNTIME_DIR"/sway-ipc.*.sock 2>/dev/null | head -n 1) && [ -n "$SWAYSOCK" ]; do
    i=$((i + 1))
    if [ "$i" -gt 100 ] || ! kill -0 "$compositor" 2>/dev/null; then
        cat "$tmp/sway.log"
        skip "the headless compositor did not start"
    fi
    sleep 0.05
done
export WAYLAND_DISPLAY SWAYSOCK

env -u LC_ALL -u LC_NUMERIC LANG=de_DE.UTF-8 QT_QPA_PLATFORM=wayland "$program" >"$tmp/app.log" 2>&1 &
app=$!
i=0
until swaymsg -t get_tree 2>/dev/null | grep -q "\"app_id\": \"$app_id\""; do
    i=$((i + 1))
    if [ "$i" -gt 200 ] || ! kill -0 "$app" 2>/dev/null; then
        echo "FAIL: no Tarvelio window appeared"
        cat "$tmp/app.log"
        exit 1
    fi
    sleep 0.05
done
# A seat without a keyboard gives the window none when it is focused: one virtual keyboard
# stays for the whole run, and the window is focused once it is there.
wtype -s 600000 x &
keyboard=$!
sleep 0.3
swaymsg "[app_id=\"$app_id\"] focus" >/dev/null

failed=0
# check EXPECTED WTYPE-ARGS...: the keys, then Ctrl+C, then the clipboard's text.
check() {
    expected=$1
    shift
    wtype "$@"
    sleep 0.2
    wtype -M ctrl c -m ctrl
    got=""
    for _ in 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20; do
        sleep 0.1
        got=$(timeout 2 wl-paste --no-newline 2>/dev/null) && [ "$got" = "$expected" ] && break
    done
    if [ "$got" = "$expected" ]; then
        echo "PASS $* -> $got"
    else
        echo "FAIL $*: expected '$expected', got '$got'"
        failed=$((failed + 1))
    fi
}
check '15,00' c12+3=
check '195,58' c100d
check '100,00' €
# The chooser from the keyboard, with the synthetic Right-arrow that follows its opening.
check '16.638,60' c100 -k Menu -k Right -k Down -k Escape
# (Shift+F10 is checked under X only: wtype's modifiers do not reach a function key.)
wl-copy '1.234,5'
check '1.234,50' -M ctrl v -m ctrl
# With Qt 6.5 and later the program reads the clipboard without waiting on its owner: a
# stopped wl-copy is an owner that does not answer (for 1.5 s, or ever), and the keys typed
# behind Ctrl+V wait for the paste, or for its refusal after 5 s.
case $qt_version in
6.[0-4].*) ;;
*)
    for pause in 1.5 never; do
        wl-copy --foreground '12,5' &
        owner=$!
        sleep 0.3
        kill -STOP "$owner"
        [ "$pause" = never ] || { sleep "$pause" && kill -CONT "$owner"; } &
        if [ "$pause" = never ]; then
            check '43,00' c42 -M ctrl v -m ctrl +1=
        else
            check '13,50' c -M ctrl v -m ctrl +1=
        fi
        kill -CONT "$owner" 2>/dev/null
        kill "$owner" 2>/dev/null
        wait "$owner" 2>/dev/null
    done
    ;;
esac
[ "$failed" -eq 0 ] || { cat "$tmp/app.log"; exit 1; }
echo "keys, chooser and clipboard work on Wayland"
