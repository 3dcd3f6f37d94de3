#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Tarvelio developers
# SPDX-License-Identifier: GPL-3.0-or-later
# What Orca, the screen reader, says while a person uses the program from the keyboard, in
# German. Orca runs with preferences of its own on a private D-Bus session with its own
# accessibility bus, and speaks through a private speech-dispatcher whose output module
# appends every text it is asked to say to a file. The keys are real X input (xdotool);
# after each step the test waits, for a bounded time, until Orca has said what the step
# should make it say. At the end the window is closed as a window manager closes it, and
# the program must end cleanly (a sanitizer build checks for leaks there).
# Runs under with-xvfb.sh.   usage: orca.sh PROGRAM CLOSE_WINDOW
set -eu
program=$1
close_window=$2

if ! command -v orca >/dev/null 2>&1 || [ ! -x /usr/lib/speech-dispatcher-modules/sd_generic ]; then
    echo "SKIPPED: Orca is missing (Debian packages orca and speech-dispatcher)"
    exit 77
fi
for need in dbus-run-session dbus-send /usr/libexec/at-spi-bus-launcher speech-dispatcher xdotool localedef; do
    command -v "$need" >/dev/null 2>&1 || {
        echo "FAIL: $need is missing (Debian packages at-spi2-core dbus-x11 speech-dispatcher xdotool libc-bin)"
        exit 1
    }
done

# Everything below runs on a session bus of its own, which ends with it.
if [ -z "${TARVELIO_ORCA_SESSION:-}" ]; then
    TARVELIO_ORCA_SESSION=1 exec dbus-run-session -- "$0" "$@"
fi

step_timeout=10 # seconds any one wait may take
tmp=$(mktemp -d)
spoken=$tmp/spoken.txt
: >"$spoken"
pids="" # newest first, so each stops before what it uses
app=""

# Whether a process we started has ended (a child that ended stays until it is reaped).
gone() { state=$(ps -o stat= -p "$1" 2>/dev/null) || return 0; [ "${state#Z}" != "$state" ]; }

# Ends a process we started and reaps it; one that does not end within 5 s is killed.
stop() {
    kill "$1" 2>/dev/null || return 0
    i=0
    until gone "$1"; do
        i=$((i + 1))
        if [ "$i" -gt 100 ]; then
            kill -KILL "$1" 2>/dev/null || :
            break
        fi
        sleep 0.05
    done
    wait "$1" 2>/dev/null || :
}
finish() {
    for p in $app $pids; do stop "$p"; done
    rm -rf "$tmp"
}
trap finish EXIT
trap 'exit 130' INT TERM

fail() {
    echo "FAIL: $1"
    echo "Orca said:"
    sed 's/^/  | /' "$spoken"
    for log in app orca speechd; do
        [ -s "$tmp/$log.log" ] && { echo "$log.log:"; tail -n 20 "$tmp/$log.log" | sed 's/^/  | /'; }
    done
    exit 1
}

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# Runs a condition every 50 ms until it holds, for at most the step timeout.
poll() {
    deadline=$(($(now_ms) + step_timeout * 1000))
    until "$@"; do
        [ "$(now_ms)" -lt "$deadline" ] || return 1
        sleep 0.05
    done
}

# Whether Orca has said TEXT since the step began, at line $from of the file. The words
# count, not how Orca splits them into utterances (Orca 43 says "Benachrichtigung 977,92"
# in one, Orca 48 in two), so the utterances are read as one line.
said() { tail -n "+$((from + 1))" "$spoken" | tr '\n' ' ' | grep -qF -- "$1"; }

# One step: keys (xdotool arguments), then the texts Orca must say in answer.
step() {
    from=$(wc -l <"$spoken")
    what=$1
    shift
    xdotool "$@" >/dev/null 2>&1 || fail "$what: xdotool $* failed"
}
expect() {
    for text in "$@"; do
        poll said "$text" || fail "$what: Orca did not say \"$text\""
    done
    echo "PASS $what: $(tail -n "+$((from + 1))" "$spoken" | tr '\n' ' ')"
}

# A home, runtime and settings of its own, so that nothing of the user's is read or changed,
# and the German locale built here, as a German desktop has it: Orca, the accessibility
# stack and speech-dispatcher then speak German too.
export HOME="$tmp/home" XDG_RUNTIME_DIR="$tmp/run" XDG_CONFIG_HOME="$tmp/config" XDG_DATA_HOME="$tmp/data"
export XDG_CACHE_HOME="$tmp/cache" GSETTINGS_BACKEND=memory
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" \
    "$tmp/orca" "$tmp/speechd/modules" "$tmp/speechd-log" "$tmp/locale"
chmod 700 "$XDG_RUNTIME_DIR"
localedef -i de_DE -f UTF-8 "$tmp/locale/de_DE.UTF-8" >/dev/null 2>&1 ||
    fail "cannot build the German locale (Debian package locales)"
export LOCPATH="$tmp/locale" LANG=de_DE.UTF-8
unset LC_ALL LC_NUMERIC LC_MESSAGES LANGUAGE

# The output module plays nothing (libao's null device) and writes each text on a line of
# its own. Speech-dispatcher's symbol preprocessing is left out: the file holds what Orca
# asks to have said.
echo "default_driver=null" >"$HOME/.libao"
cat >"$tmp/speechd/speechd.conf" <<EOF
DefaultLanguage "de"
AudioOutputMethod "libao"
AddModule "file" "sd_generic" "file.conf"
DefaultModule file
EOF
cat >"$tmp/speechd/modules/file.conf" <<EOF
GenericExecuteSynth "printf '%s\\\\n' '\$DATA' >>'$spoken'"
GenericLanguage "de" "de" "utf-8"
AddVoice "de" "MALE1" "de"
EOF
export SPEECHD_ADDRESS="unix_socket:$tmp/speechd.sock"

/usr/libexec/at-spi-bus-launcher --launch-immediately >"$tmp/launcher.log" 2>&1 &
pids="$!"
bus_up() {
    dbus-send --session --print-reply --dest=org.freedesktop.DBus / org.freedesktop.DBus.NameHasOwner \
        string:org.a11y.Bus 2>/dev/null | grep -q true
}
poll bus_up || fail "the accessibility bus did not start"

speech-dispatcher --run-single --timeout 0 --config-dir "$tmp/speechd" --communication-method unix_socket \
    --socket-path "$tmp/speechd.sock" --log-dir "$tmp/speechd-log" >"$tmp/speechd.log" 2>&1 &
pids="$! $pids"
poll test -S "$tmp/speechd.sock" || fail "speech-dispatcher did not start"

# Orca says that it is on once it speaks: from then on it hears the programs that start.
orca --user-prefs "$tmp/orca" >"$tmp/orca.log" 2>&1 &
pids="$! $pids"
from=0
poll test -s "$spoken" || fail "Orca did not start speaking"

"$program" >"$tmp/app.log" 2>&1 &
app=$!
find_window() { window=$(xdotool search --name '^Tarvelio$' 2>/dev/null | head -n 1) && [ -n "$window" ]; }
poll find_window || fail "no window named Tarvelio"
# The window by its name, then the button with the focus.
step "start-up" windowfocus --sync "$window"
expect "Tarvelio" "= – gleich"
# Each result as a notification, whichever button has the focus; the full value follows where
# the two decimals shortened it.
step "500 D" type 500d
expect "Benachrichtigung 977,92" "977,915"
step "C 12+3=" type c12+3=
expect "Benachrichtigung 15,00"
step "1/0=" type 1/0=
expect "Benachrichtigung Division durch 0"
# The chooser by its name; a move to the next entry by the currency's German name, while
# the list shows the code.
step "Menu key" key Menu
expect "Währung: DEM"
step "Down" key Down
expect "ESP – Spanische Peseta"

"$close_window" "$window" || fail "the window could not be closed"
poll gone "$app" || fail "the program did not end after its window was closed"
status=0
wait "$app" || status=$?
app=""
[ "$status" -eq 0 ] || fail "the program ended with status $status after its window was closed"
echo "Orca said what a person waits for"
