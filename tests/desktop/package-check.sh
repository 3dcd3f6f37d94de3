#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Tarvelio developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package from a build directory, compares its files with the expected
# list and runs lintian on it: an error or a warning fails. The package is packed a second
# time, in a folder of another name and depth, with another umask, time zone and language,
# and must be the same byte for byte. Skips (77) without lintian or dpkg-shlibdeps.
#   package-check.sh BUILD_DIR EXPECTED_FILES
set -eu
build=$1
expected=$2
for need in cpack lintian dpkg-shlibdeps; do
    command -v "$need" >/dev/null 2>&1 || { echo "SKIPPED: $need is missing (Debian packages: lintian dpkg-dev)"; exit 77; }
done
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT INT TERM
# pack FOLDER UMASK TZ LANG
pack() {
    mkdir -p "$1"
    (
        umask "$2"
        unset LC_ALL LC_NUMERIC SOURCE_DATE_EPOCH
        export TZ="$3" LANG="$4"
        cpack --config "$build/CPackConfig.cmake" -B "$1"
    ) >"$1.log" 2>&1 || { cat "$1.log"; exit 1; }
}
pack "$out/a" 022 UTC C.UTF-8
pack "$out/another/folder/b" 002 Asia/Tokyo de_DE.UTF-8
deb=$(ls "$out"/a/tarvelio_*.deb)
if ! cmp -s "$deb" "$out/another/folder/b/$(basename "$deb")"; then
    echo "FAIL: the package differs between two packings; the first differing bytes:" >&2
    cmp -l "$deb" "$out/another/folder/b/$(basename "$deb")" 2>&1 | head -n 10 >&2
    exit 1
fi
dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | sed 's|^\./|/|' | LC_ALL=C sort >"$out/files"
if ! LC_ALL=C sort "$expected" | diff -u - "$out/files"; then
    echo "FAIL: the package's files differ from the expected list" >&2
    exit 1
fi
dpkg-deb --field "$deb" Depends | grep -q 'libqt6widgets6' || { echo "FAIL: no dependencies from the libraries" >&2; exit 1; }
"$(dirname "$0")/lintian.sh" "$deb" "$deb" >&2
echo "package $(basename "$deb") built, as expected, the same when packed again, and lintian-clean"
