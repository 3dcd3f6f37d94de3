#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Tarvelio developers
# SPDX-License-Identifier: GPL-3.0-or-later
# lintian on a package: an error or a warning fails, but for one. The project has no
# homepage (whoever publishes the program adds one), and appstream 1.0 and later warn of the
# missing one, which lintian reports as appstream-metadata-validation-failed without naming
# the validator's message. That tag is tolerated only where appstreamcli, run on the
# unpacked DEB as lintian runs it, reports url-homepage-missing and nothing else.
#   lintian.sh DEB LINTIAN-ARGUMENTS...
set -eu
deb=$1
shift
tolerated=appstream-metadata-validation-failed
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT INT TERM
status=0
lintian --fail-on error,warning "$@" >"$tmp/lintian.log" 2>&1 || status=$?
grep -v '^running with root privileges' "$tmp/lintian.log" || true
[ "$status" -eq 0 ] && exit 0
if grep -E '^[EW]: ' "$tmp/lintian.log" | grep -q -v -E "^W: [^ ]+: $tolerated( |$)"; then
    echo "FAIL: lintian reports errors or warnings"
    exit 1
fi
dpkg-deb -x "$deb" "$tmp/root"
appstreamcli validate-tree --no-net "$tmp/root" >"$tmp/appstream.log" 2>&1 || :
grep -E '^ *[EW]: ' "$tmp/appstream.log" | sed 's/^ *//' >"$tmp/issues" || :
if [ "$(wc -l <"$tmp/issues")" -eq 1 ] && grep -q -E '^W: [^ ]+: url-homepage-missing$' "$tmp/issues"; then
    echo "tolerated: $tolerated, for appstreamcli's url-homepage-missing alone"
    exit 0
fi
cat "$tmp/appstream.log"
echo "FAIL: lintian reports errors or warnings"
exit 1
