#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Tarvelio developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a staging directory, compares the file list with the expected
# one and validates the desktop entry and the AppStream metadata as installed.
set -eu
#   install-check.sh BUILD_DIR EXPECTED_FILES APP_ID
build=$1
expected=$2
app_id=$3
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT INT TERM
DESTDIR="$stage" cmake --install "$build" --prefix /usr >/dev/null
(cd "$stage" && find . -type f | sed 's|^\.||' | LC_ALL=C sort) >"$stage.list"
if ! LC_ALL=C sort "$expected" | diff -u - "$stage.list"; then
    echo "FAIL: the installed files differ from the expected list" >&2
    rm -f "$stage.list"
    exit 1
fi
rm -f "$stage.list"
[ -x "$stage/usr/bin/tarvelio" ] || { echo "FAIL: the program is not executable" >&2; exit 1; }
desktop-file-validate "$stage/usr/share/applications/$app_id.desktop"
# The project has no homepage: whoever publishes it adds one (<url type="homepage">).
# appstream 1.0 and later warn of the missing one; that message alone is tolerated.
tolerated=""
case $(appstreamcli --version | sed -n 's/^AppStream version: //p') in
0.*) ;;
*) tolerated=--override=url-homepage-missing=info ;;
esac
# shellcheck disable=SC2086 # $tolerated is one option or nothing
appstreamcli validate --no-net $tolerated "$stage/usr/share/metainfo/$app_id.metainfo.xml"
grep -q '^StartupWMClass=Tarvelio$' "$stage/usr/share/applications/$app_id.desktop"
echo "installed and valid"
