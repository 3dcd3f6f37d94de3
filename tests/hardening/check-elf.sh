#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Tarvelio developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Reads the built program and its libraries and checks the hardening each must carry:
# position-independent executable, full RELRO with immediate binding, stack protector,
# fortified library calls (where the build optimises), and control-flow protection notes
# where the build asked for them (CF_PROTECTION ON).
#   check-elf.sh PROGRAM BUILD_TYPE CF_PROTECTION ARCHIVE...
set -u
program=$1
buildtype=$2
cf_protection=$3
shift 3
failed=0
check() {
    if eval "$2"; then echo "ok   $1"; else echo "FAIL $1"; failed=1; fi
}
check "position-independent executable" "readelf -h '$program' | grep -q 'DYN (Position-Independent Executable'"
check "PIE flag" "readelf -d '$program' | grep -q 'FLAGS_1.*PIE'"
check "RELRO" "readelf -lW '$program' | grep -q GNU_RELRO"
check "immediate binding" "readelf -d '$program' | grep -Eq 'BIND_NOW|FLAGS_1.*NOW'"
check "stack protector" "readelf --dyn-syms -W '$program' | grep -q __stack_chk_fail"
if [ "$buildtype" != Debug ]; then
    # Only calls whose buffer size the compiler knows become checked calls.
    unchecked=$(readelf --dyn-syms -W "$program" | awk '$7 == "UND" { print $8 }' \
        | grep -Ec '^(strcpy|stpcpy|strcat|sprintf|vsprintf|gets|strncpy|strncat)@' || true)
    check "fortified library calls (none of the always-unsafe kind unchecked)" "[ '$unchecked' -eq 0 ]"
    echo "     checked calls: $(readelf --dyn-syms -W "$program" | grep -c '_chk@' || true)"
fi
if [ "$cf_protection" = ON ]; then
    for archive in "$@"; do
        members=$(readelf -n "$archive" | grep -c '^File: ' || true)
        marked=$(readelf -n "$archive" | grep -c 'x86 feature: IBT, SHSTK' || true)
        check "control-flow protection in $(basename "$archive") ($marked of $members objects)" \
            "[ '$members' -gt 0 ] && [ '$marked' -eq '$members' ]"
    done
fi
exit $failed
