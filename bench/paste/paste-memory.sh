#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Tarvelio developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Memory of a huge paste: the program's RSS at start, its peak while it takes a 10 MB number
# from the clipboard (VmHWM), and its RSS after C and a new clipboard owner, when nothing
# needs the text any more. Runs against an X server in $DISPLAY (tests/e2e/with-xvfb.sh);
# needs xdotool and xclip.
#   paste-memory.sh PROGRAM [KEYS...]    (KEYS are pressed first, e.g. r for the raw readout)
set -eu
program=$1
shift
tmp=$(mktemp -d)
trap 'kill "$app" 2>/dev/null || true; rm -rf "$tmp"' EXIT
{ printf '0,'; head -c 10000000 /dev/zero | tr '\0' '7'; } >"$tmp/big.txt"

env -u LC_ALL -u LC_NUMERIC LANG=de_DE.UTF-8 "$program" >/dev/null 2>&1 &
app=$!
status() { awk -v k="$1:" '$1 == k { print $2 }' "/proc/$app/status"; }
cputime() { awk '{ print $14 + $15 }' "/proc/$app/stat"; }
# Waits until the program has used no CPU time for half a second.
settle() {
    last=-1
    while [ "$(cputime)" != "$last" ]; do
        last=$(cputime)
        sleep 0.5
    done
}
i=0
until window=$(xdotool search --onlyvisible --name '^Tarvelio$' 2>/dev/null | head -n 1) && [ -n "$window" ]; do
    i=$((i + 1))
    [ "$i" -lt 100 ] || { echo "no window" >&2; exit 1; }
    sleep 0.1
done
xdotool windowfocus --sync "$window"
for k in "$@"; do xdotool key "$k"; done
settle
start=$(status VmRSS)
xclip -selection clipboard -i "$tmp/big.txt"
xdotool key ctrl+v
settle
pasted=$(status VmRSS)
peak=$(status VmHWM)
xdotool key c
settle
printf 1 | xclip -selection clipboard -i
settle
end=$(status VmRSS)
mib() { awk -v k="$1" 'BEGIN { printf "%.1f MiB", k / 1024 }'; }
echo "RSS at start $(mib "$start"), after the paste $(mib "$pasted"), peak $(mib "$peak")," \
    "after C and a new clipboard owner $(mib "$end") ($(mib $((end - start))) more than at start)"
