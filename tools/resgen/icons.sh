#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Tarvelio developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the application icon's PNG sizes for the hicolor theme from its one SVG source.
# Needs rsvg-convert (Debian package librsvg2-bin).
set -eu
cd "$(dirname "$0")/../../data/icons"
id=de.tarvelio.Tarvelio
for size in 16 24 32 48 64 128 256; do
    mkdir -p "hicolor/${size}x${size}/apps"
    rsvg-convert -w "$size" -h "$size" "$id.svg" -o "hicolor/${size}x${size}/apps/$id.png"
done
