#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Tarvelio developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command against a private Xvfb on a free display, and stops the server afterwards.
set -eu
tmp=$(mktemp -d)
# -noreset: the server would otherwise reset, and refuse connections for a moment, each
# time its last client leaves, as between two programs a test starts in turn.
Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp -noreset 5>"$tmp/display" 2>"$tmp/xvfb.log" &
server=$!
trap 'kill "$server" 2>/dev/null || true; wait "$server" 2>/dev/null || true; rm -rf "$tmp"' EXIT INT TERM
i=0
while [ ! -s "$tmp/display" ]; do
    i=$((i + 1))
    if [ "$i" -gt 200 ] || ! kill -0 "$server" 2>/dev/null; then
        echo "Xvfb did not start:" >&2
        cat "$tmp/xvfb.log" >&2
        exit 1
    fi
    sleep 0.05
done
DISPLAY=":$(cat "$tmp/display")"
export DISPLAY
unset WAYLAND_DISPLAY
QT_QPA_PLATFORM=xcb
export QT_QPA_PLATFORM
"$@"
