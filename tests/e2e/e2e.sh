#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Tarvelio developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Drives the built program as a person would, on the X server in $DISPLAY (see
# with-xvfb.sh). Every case starts a fresh program, types and clicks through XTEST (xdotool
# without --window, so the input is real rather than sent events) and reads the readout
# back through the real clipboard: Ctrl+C in the program, `xclip -o` outside.
#
# usage: e2e.sh PROGRAM BIND_KEYS [de|en]    (the last argument runs one locale only)
# The X server must not reset between two cases (Xvfb -noreset): a reset would drop the
# key bound for the euro sign.
set -uf

program=$1
bind_keys=$2
only=${3:-}

step_timeout=5 # seconds any one wait may take before the case fails
sentinel='(e2e: the clipboard before Ctrl+C)'

tmp=$(mktemp -d)
app=""   # the program of the current case
clips="" # the xclip processes of the current case
passed=0
failed=0
broken_in_a_row=0 # a program that cannot be driven at all fails fast, not case by case

stop_case() {
    if [ -n "$app" ]; then
        kill "$app" 2>/dev/null
        wait "$app" 2>/dev/null
        app=""
    fi
    for p in $clips; do
        kill "$p" 2>/dev/null
        wait "$p" 2>/dev/null
    done
    clips=""
}
trap 'stop_case; rm -rf "$tmp"' EXIT
trap 'exit 130' INT TERM

broken="" # why the current case could not run to its end
fail_step() { [ -n "$broken" ] || broken=$1; }

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# Runs a condition every 20 ms until it holds, for at most the step timeout.
poll() {
    deadline=$(($(now_ms) + step_timeout * 1000))
    until "$@"; do
        [ "$(now_ms)" -lt "$deadline" ] || return 1
        sleep 0.02
    done
}

xdo() { timeout "$step_timeout" xdotool "$@" >/dev/null 2>&1 || fail_step "xdotool $1 failed"; }

# Sets $clip to the clipboard's text; fails while nobody owns the clipboard. The x keeps
# trailing newlines that the command substitution would drop.
read_clipboard() {
    clip=$(xclip -selection clipboard -o 2>/dev/null && printf x) || return 1
    clip=${clip%x}
}

clipboard_is() { read_clipboard && [ "$clip" = "$1" ]; }
clipboard_is_not() { read_clipboard && [ "$clip" != "$1" ]; }

# The program offers TIMESTAMP among its clipboard formats; xclip does not.
program_owns_clipboard() {
    xclip -selection clipboard -o -t TARGETS 2>/dev/null | grep -qx TIMESTAMP
}

# Who owns the clipboard in the current case: "sentinel" or "text" (an xclip of ours), or
# "program". A copy is awaited as the clipboard changing from the sentinel to something
# else. After Ctrl+V, though, the program may not have read the clipboard yet: a sentinel
# put there then could be what it pastes. So while "pasted" is 1 the clipboard keeps its
# owner, and the copy is awaited as the program becoming the owner.
owner=""
pasted=0
copied=0 # the last step was a copy
clip_files=0

# Puts text on the clipboard as another program would: xclip owns it until some other
# client takes it over.
put_clipboard() {
    target=${2:-}
    # A second paste in a case waits until the program has taken the first.
    [ "$pasted" = 0 ] || copy_with xdo key ctrl+c
    clip_files=$((clip_files + 1))
    file="$tmp/clip.$clip_files"
    printf '%s' "$1" >"$file"
    if [ -n "$target" ]; then
        xclip -quiet -selection clipboard -t "$target" -i "$file" >/dev/null 2>&1 &
    else
        xclip -quiet -selection clipboard -i "$file" >/dev/null 2>&1 &
    fi
    clips="$clips $!"
    if [ -n "$target" ]; then
        poll sh -c 'xclip -selection clipboard -t TARGETS -o 2>/dev/null | grep -qxF "$1"' _ "$target" ||
            fail_step "xclip did not take the clipboard"
    else
        poll clipboard_is "$1" || fail_step "xclip did not take the clipboard"
    fi
}

# Runs a copy, sent by "$@", and waits until the program owns the clipboard; by then it has
# handled all input sent before as well. Leaves the text in $clip.
copy_with() {
    if [ "$owner" = program ]; then
        put_clipboard "$sentinel"
        owner=sentinel
    fi
    "$@"
    [ -z "$broken" ] || return
    if [ "$owner" = sentinel ]; then
        poll clipboard_is_not "$sentinel"
    else
        poll program_owns_clipboard && read_clipboard
    fi || fail_step "nothing was copied within ${step_timeout} s"
    owner=program
    pasted=0
}

window=""

# Qt's helper windows may carry the title too; the main window has the 218 x 169 client.
find_window() {
    for line in $(xdotool search --all --onlyvisible --pid "$app" --name '^Tarvelio$' \
        getwindowgeometry --shell %@ 2>/dev/null); do
        case $line in
        WINDOW=*) candidate=${line#WINDOW=} width="" ;;
        WIDTH=*) width=${line#WIDTH=} ;;
        HEIGHT=169) [ "$width" != 218 ] || window=$candidate ;;
        esac
    done
    [ -n "$window" ]
}

start_case() {
    case $1 in
    de) lang=de_DE.UTF-8 ;;
    en) lang=en_US.UTF-8 ;;
    esac
    broken=""
    pasted=0
    copied=0
    window=""
    env -u LC_ALL -u LC_NUMERIC LANG="$lang" "$program" >"$tmp/app.log" 2>&1 &
    app=$!
    # Nobody owns the clipboard now; the sentinel goes on while the program starts.
    put_clipboard "$sentinel"
    owner=sentinel
    poll find_window || fail_step "no mapped 218x169 window titled Tarvelio"
    # There is no window manager to hand out the input focus.
    [ -n "$broken" ] || xdo windowfocus --sync "$window"
}

# The centre of a control, in pixels from the client area's top-left corner.
centre() {
    case $1 in
    7) echo 24 80 ;; 8) echo 64 80 ;; 9) echo 104 80 ;;
    4) echo 24 104 ;; 5) echo 64 104 ;; 6) echo 104 104 ;;
    1) echo 24 128 ;; 2) echo 64 128 ;; 3) echo 104 128 ;;
    0) echo 44 152 ;; .) echo 104 152 ;;
    C) echo 152 80 ;; CE) echo 192 80 ;;
    +) echo 152 104 ;; -) echo 192 104 ;;
    X) echo 152 128 ;; /) echo 192 128 ;;
    =) echo 152 152 ;; %) echo 192 152 ;;
    copy) echo 20 49 ;; paste) echo 52 49 ;; two) echo 78 48 ;;
    EUR) echo 140 48 ;; DM) echo 188 48 ;;
    *) return 1 ;;
    esac
}

# Clicks on the controls named, with the given button actions, in one xdotool run.
clicks() {
    actions=$1
    shift
    args=""
    for name in "$@"; do
        xy=$(centre "$name") || {
            fail_step "no control $name"
            return
        }
        args="$args mousemove --window $window $xy $actions"
    done
    # shellcheck disable=SC2086 # a list of words, none with blanks
    xdo $args
}

# Runs one step of a case:
#   t=TEXT       types TEXT
#   k=KEYS       presses keys named by their X keysyms (several separated by blanks)
#   euro         AltGr + the euro sign
#   click=NAMES  left clicks on controls (several separated by blanks, see centre)
#   rclick=NAME  presses and releases the right button over a control
#   copy         Ctrl+C
#   clip=TEXT    puts TEXT on the clipboard from outside (printf %b escapes)
#   paste=TEXT   the same, then Ctrl+V
#   utf8paste=TEXT  TEXT offered only as text/plain;charset=utf-8, as browsers do, then Ctrl+V
run_step() {
    copied=0
    # shellcheck disable=SC2086 # k= and click= hold lists of words without blanks
    case $1 in
    t=*) xdo type --delay 4 -- "${1#t=}" ;;
    k=*) xdo key --delay 4 ${1#k=} ;;
    euro) xdo keydown ISO_Level3_Shift key EuroSign keyup ISO_Level3_Shift ;;
    click=copy) copy_with clicks "click 1" copy ;;
    click=*) clicks "click 1" ${1#click=} ;;
    rclick=*) clicks "mousedown 3 mouseup 3" "${1#rclick=}" ;;
    copy) copy_with xdo key ctrl+c ;;
    utf8paste=*)
        put_clipboard "${1#*=}" 'text/plain;charset=utf-8'
        owner=text
        xdo key ctrl+v
        pasted=1
        return
        ;;
    clip=* | paste=*)
        text=$(printf '%bx' "${1#*=}")
        put_clipboard "${text%x}"
        owner=text
        [ "${1%%=*}" = clip ] && return
        xdo key ctrl+v
        pasted=1
        return
        ;;
    *) fail_step "unknown step $1" ;;
    esac
    case $1 in
    copy | click=copy) copied=1 ;;
    click=paste) pasted=1 ;;
    esac
}

# check LOCALE EXPECTED STEP...: runs the steps in a fresh program, then expects the
# readout EXPECTED, copied with Ctrl+C unless the last step copied already.
check() {
    locale=$1
    expected=$2
    shift 2
    [ -z "$only" ] || [ "$only" = "$locale" ] || return 0
    steps=""
    for s in "$@"; do steps="$steps '$s'"; done
    if [ "$broken_in_a_row" -ge 3 ]; then
        failed=$((failed + 1))
        printf "FAIL %s:%s: not run, the three cases before could not run to their end\n" "$locale" "$steps"
        return
    fi
    start_case "$locale"
    for s in "$@"; do
        [ -z "$broken" ] || break
        run_step "$s"
    done
    if [ -z "$broken" ] && [ "$copied" = 0 ]; then
        copy_with xdo key ctrl+c
    elif [ -z "$broken" ]; then
        read_clipboard || fail_step "the clipboard is empty"
    fi
    [ -n "$broken" ] || broken_in_a_row=0
    if [ -z "$broken" ] && [ "$clip" = "$expected" ]; then
        passed=$((passed + 1))
        printf "PASS %s:%s -> '%s'\n" "$locale" "$steps" "$clip"
    else
        failed=$((failed + 1))
        if [ -n "$broken" ]; then
            broken_in_a_row=$((broken_in_a_row + 1))
            kill -0 "$app" 2>/dev/null || broken="$broken (the program has ended)"
            printf "FAIL %s:%s: expected '%s', but %s\n" "$locale" "$steps" "$expected" "$broken"
            sed 's/^/    program: /' "$tmp/app.log"
        else
            printf "FAIL %s:%s: expected '%s', got '%s'\n" "$locale" "$steps" "$expected" "$clip"
        fi
    fi
    stop_case
}

"$bind_keys" EuroSign >/dev/null || exit 1
started=$(date +%s)

# LOCALE EXPECTED STEPS; "de" has the decimal comma and the group point, "en" the reverse.

# Keys
check de '0,00'
check de '15,00' t=12+3=
check de '8,00' t=5+3==
check de '-2,00' t=-5+3=
check de '-2,00' t=7-9=
check de '42,00' t=6*7=
check de '2,50' t=5/2=
check de '0,333333333333333' t=1/3=r
check de '0,333333333333333' t=1/3=R
check de '0,33' t=1/3=rr
check de '1234,5' t=1234,5r
check de '1.234.567.890,00' t=1234567890
check de '3,00' t=1,5+1.5=
check de 'Division durch 0' t=8/0=
check de 'Fehler' t=8/0+5=
check de '220,00' t=200+10%=
check de '8,00' t=5+3 k=Return
check de '8,00' t=5+3 k=KP_Enter
check de '8,00' 't=5+3 '
check de '2.469,00' t=1234,5 'k=KP_Multiply KP_2 KP_Enter'
check de '9,00' t=5+3e4=
check de '9,00' t=5+3E4=
check de '2,00' t=5+3C2=
check de '2,' t=5+3c2=r
# Keys that mean nothing to the calculator leave the entry alone.
check de '12,00' t=12 k=BackSpace
check de '12,00' t=12 k=Delete
check de '123,00' t=12 k=Escape t=3
check de '53,00' t=5x3=
check de '12,00' t=12abfgz
# d is Euro to DM, AltGr+E (the euro sign) DM to Euro; each works once, then the other.
check de '195,58' t=100d
check de '195,58' t=100D
check de '977,92' t=500d
check de '195,58' t=100dd
check de '100,00' t=100d euro
check de '51,13' t=100 euro
check de '51,13' t=100 euro euro

# The clipboard
check de '1.234,56' paste=1.234,56
check de '15,00' paste=1.5
check de '12,00' 'paste= 12 '
check de ' 12 ' 'paste= 12 ' t=r
check de '12,00' 'paste=\t12\r\n'
check de '-350,00' paste=-3,5e2
check de '42,00' t=42 paste=abc
check de '42,00' t=42 paste=12a
check de '42,00' t=42 paste=1,2,3
check de '42,00' t=42 paste=
check de '10,00' t=7+ paste=3 t==
check de '5,00' paste=12 t=5
check de '1.234,56' clip=1.234,56 click=paste
check de '1.234,50' utf8paste=1.234,5
check de '42,00' t=42 click=copy
check de '-2,00' t=-5+3= copy

# The mouse
check de '9,00' 'click=7 + 2 ='
check de '6,00' 'click=1 . 5 X 4 ='
check de '-1,00' 'click=8 / 4 - 3 ='
check de '220,00' 'click=2 0 0 + 1 0 % ='
check de '9,00' 'click=5 + 3 CE 4 ='
check de '4,00' 'click=5 + 3 C 4 ='
check de '0,333333333333333' 'click=1 / 3 = two'
check de '195,58' t=100 click=DM
check de '100,00' t=100 'click=DM EUR'

# The currency chooser, shown over "DM" by a right-button press there. A key other than
# Enter and the arrows only hands the focus back to "=": Escape does so before the copy.
check de '195,58' t=100 rclick=DM k=Escape
check de '4.033,99' t=100 rclick=DM k=Up k=Escape
check de '1.376,03' t=100 rclick=DM 'k=Up Up' k=Escape
check de '6,00' t=100 rclick=DM t=56
# Down to the last entry, "DM", hides the chooser: the next digit is entered at once.
check de '195,58' t=100 rclick=DM 'k=Down Down Down Down Down Down Down Down Down Down'
check de '7,00' t=100 rclick=DM 'k=Down Down Down Down Down Down Down Down Down Down' t=7

# The context-menu key opens the chooser as the right button does. On this US layout the
# apostrophe and "&" have the key values of Right and Up: they hand the focus back all the
# same, so the next digit is entered.
check de '16.638,60' t=100 k=Menu k=Down k=Escape
check de '195,58' t=100 k=shift+F10 k=Escape
check de '5,00' t=100 k=Menu k=apostrophe t=5
check de '5,00' t=100 k=Menu k=ampersand t=5

# English
check en '1,234.50' t=1234.5
check en '1.50' t=1,5
check en '15.00' t=12+3=
check en '195.58' t=100d
check en '0.333333333333333' t=1/3=r
check en '1,234.56' paste=1,234.56
check en '15.00' paste=1,5

echo "$passed passed, $failed failed in $(($(date +%s) - started)) s"
[ "$failed" -eq 0 ]
