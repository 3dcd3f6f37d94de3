#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Tarvelio developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the program under a private headless Wayland compositor and checks that its
# window appears there with the right title, application id and size. Skips (77) where
# the compositor or Qt's Wayland support is not available.
#   wayland-smoke.sh PROGRAM APP_ID
set -u
program=$1
app_id=$2
skip() { echo "SKIPPED: $*"; exit 77; }
command -v weston >/dev/null || skip "weston is not installed"
command -v weston-debug >/dev/null || skip "weston-debug is not installed"
ls /usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so >/dev/null 2>&1 || skip "Qt's Wayland platform is not installed"

XDG_RUNTIME_DIR=$(mktemp -d)
chmod 700 "$XDG_RUNTIME_DIR"
export XDG_RUNTIME_DIR
socket=tarvelio-$$
weston --backend=headless-backend.so --socket="$socket" --debug --idle-time=0 \
    >"$XDG_RUNTIME_DIR/weston.log" 2>&1 &
compositor=$!
app=""
cleanup() {
    [ -n "$app" ] && kill "$app" 2>/dev/null
    kill "$compositor" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$XDG_RUNTIME_DIR"
}
trap cleanup EXIT INT TERM

i=0
while [ ! -S "$XDG_RUNTIME_DIR/$socket" ]; do
    i=$((i + 1))
    if [ "$i" -gt 100 ] || ! kill -0 "$compositor" 2>/dev/null; then
        cat "$XDG_RUNTIME_DIR/weston.log"
        skip "the headless compositor did not start"
    fi
    sleep 0.05
done

WAYLAND_DISPLAY=$socket QT_QPA_PLATFORM=wayland "$program" >"$XDG_RUNTIME_DIR/app.log" 2>&1 &
app=$!
i=0
while :; do
    line=$(WAYLAND_DISPLAY=$socket weston-debug scene-graph 2>/dev/null \
        | grep -A2 "top-level window 'Tarvelio' of $app_id" | grep 'opaque:' || true)
    [ -n "$line" ] && break
    i=$((i + 1))
    if [ "$i" -gt 200 ] || ! kill -0 "$app" 2>/dev/null; then
        echo "FAIL: no Tarvelio window appeared"
        cat "$XDG_RUNTIME_DIR/app.log"
        exit 1
    fi
    sleep 0.05
done
# "[opaque: (x1, y1) -> (x2, y2)]": the client area without the decorations.
size=$(echo "$line" | sed -E 's/.*\(([0-9]+), ([0-9]+)\) -> \(([0-9]+), ([0-9]+)\).*/\3 \1 \4 \2/' \
    | awk '{ print $1 - $2 "x" $3 - $4 }')
echo "window shown on Wayland, client area $size"
[ "$size" = "218x169" ] || { echo "FAIL: expected 218x169"; exit 1; }
