#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Tarvelio developers
# SPDX-License-Identifier: GPL-3.0-or-later
# What a screen reader sees of the running program, through the real AT-SPI stack: a
# private D-Bus session with its own accessibility bus, the program with Qt's bridge on,
# and an AT-SPI client (atspi_client.py) that reads the tree and listens for events.
# Runs under with-xvfb.sh.   usage: atspi.sh PROGRAM
set -eu
program=$1
here=$(cd "$(dirname "$0")" && pwd)
for need in dbus-run-session /usr/libexec/at-spi-bus-launcher /usr/bin/python3 xdotool; do
    command -v "$need" >/dev/null 2>&1 || { echo "SKIPPED: $need is missing (Debian packages: at-spi2-core dbus-x11 python3-pyatspi xdotool)"; exit 77; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "SKIPPED: python3-pyatspi is missing"; exit 77; }
export PROGRAM="$program"
exec dbus-run-session -- sh -c '
    /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
    launcher=$!
    trap "kill \$launcher 2>/dev/null" EXIT
    sleep 0.5
    env -u LC_ALL -u LC_NUMERIC LANG=de_DE.UTF-8 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$PROGRAM" >/dev/null 2>&1 &
    app=$!
    status=0
    timeout 60 /usr/bin/python3 "'"$here"'/atspi_client.py" || status=$?
    kill $app 2>/dev/null
    exit $status'
