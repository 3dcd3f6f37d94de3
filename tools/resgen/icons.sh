#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Tarvelio developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the application icon's PNG sizes for the hicolor theme from its one SVG source.
# Needs rsvg-convert (Debian package librsvg2-bin). The files take the application's id
# only when they are installed.
set -eu
cd "$(dirname "$0")/../../data/icons"
for size in 16 24 32 48 64 128 256; do
    mkdir -p "hicolor/${size}x${size}/apps"
    rsvg-convert -w "$size" -h "$size" tarvelio.svg -o "hicolor/${size}x${size}/apps/tarvelio.png"
done
