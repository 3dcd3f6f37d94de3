#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Tarvelio developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Configures the project where fontconfig does not find the window's faces: the
# configuration must stop and say so, rather than build another face into the program.
# Each case is a font folder of its own: no font at all, and Liberation Sans Regular
# alone (fontconfig then gives the regular face for the bold one).
#   missing-face.sh CMAKE SOURCE_DIR
set -u
cmake=$1
src=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT INT TERM
regular=$(fc-match -f '%{file}' 'Liberation Sans:style=Regular')
failed=0
for case in none regular-only; do
    fonts=$tmp/$case/fonts
    mkdir -p "$fonts"
    [ "$case" = regular-only ] && ln -s "$regular" "$fonts/"
    cat >"$tmp/$case/fonts.conf" <<CONF
<?xml version="1.0"?>
<fontconfig><dir>$fonts</dir><cachedir>$tmp/$case/cache</cachedir></fontconfig>
CONF
    if FONTCONFIG_FILE=$tmp/$case/fonts.conf "$cmake" -S "$src" -B "$tmp/$case/build" \
        -DTARVELIO_BUILD_TESTS=OFF >"$tmp/$case/log" 2>&1; then
        echo "FAIL $case: configured without the window's faces"
        failed=1
    elif tr -s ' \n' '  ' <"$tmp/$case/log" | grep -q 'not a Liberation Sans file'; then
        echo "ok   $case: the configuration stops and names the missing face"
    else
        echo "FAIL $case: the configuration stopped for another reason:"
        cat "$tmp/$case/log"
        failed=1
    fi
done
exit $failed
