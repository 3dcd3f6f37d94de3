# SPDX-FileCopyrightText: 2026 The Tarvelio developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Debian packages the build and the tests need, and a helper that installs the missing ones.
# libfontconfig-dev, fontconfig (fc-match) and pkgconf find the window's font files and
# fontconfig's rule folder at configure; libxkbcommon-dev is there for Qt's own CMake
# package, which looks for it at every configure and reports it missing otherwise; python3-pyatspi, at-spi2-core and dbus-x11
# run the screen-reader test; orca and speech-dispatcher the one with the screen reader itself,
# in the German locale built from locales; sway, wtype and wl-clipboard drive the program on
# Wayland; lintian and reuse check the package and the licence information; dpkg-dev,
# debhelper and build-essential build the Debian packages (debian/). Two packages
# carry a version in their names, and these are found from the release itself
# (test_versioned_packages): the sanitizer runtime of the release's default clang, and the
# clang-format that the format check pins.
# shellcheck shell=sh
RUN_PACKAGES="g++ make cmake pkgconf qt6-base-dev libfontconfig-dev fontconfig libxkbcommon-dev libxcb1-dev libwayland-dev fonts-liberation2"
# The quick tier of the tests (tools/test) needs only GoogleTest and the X headers besides.
QUICK_PACKAGES="$RUN_PACKAGES libgtest-dev libx11-dev"
TEST_PACKAGES="$QUICK_PACKAGES xvfb xdotool xclip x11-apps desktop-file-utils appstream weston qt6-wayland clang python3-pyatspi at-spi2-core dbus-x11 orca speech-dispatcher locales sway wtype wl-clipboard lintian reuse dpkg-dev debhelper build-essential"

# The clang-format major version the style (.clang-format) is written for: the format check
# runs with this one alone, since each version lays out some code differently.
CLANG_FORMAT_MAJOR=19

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
# The package lists are fetched at most once per command.
lists_fresh=""
update_lists() {
    [ -n "$lists_fresh" ] && return 0
    $sudo apt-get update -q
    lists_fresh=1
}

# Whether the release's archive has a package of that name.
in_archive() {
    apt-cache show --no-all-versions "$1" 2>/dev/null | grep -q '^Package:' && return 0
    [ -n "$lists_fresh" ] && return 1
    update_lists >&2 && apt-cache show --no-all-versions "$1" 2>/dev/null | grep -q '^Package:'
}

# Adds to TEST_PACKAGES the packages whose names depend on the release: the sanitizer
# runtime of the release's default clang (the package clang depends on clang-N, whose
# runtime is libclang-rt-N-dev), and clang-format-$CLANG_FORMAT_MAJOR where the release has
# it; where it does not, one line says so, and the format check is skipped.
add_versioned_test_packages() {
    depends=$(dpkg-query -W -f='${Depends}' clang 2>/dev/null) ||
        { in_archive clang && depends=$(apt-cache depends clang | sed -n 's/^ *Depends: //p'); } || depends=""
    major=$(printf '%s\n' "$depends" | tr ',' '\n' |
        sed -n 's/^ *clang-\([0-9][0-9]*\)\( .*\)\{0,1\}$/\1/p' | head -n 1)
    [ -n "$major" ] && TEST_PACKAGES="$TEST_PACKAGES libclang-rt-$major-dev"
    if installed "clang-format-$CLANG_FORMAT_MAJOR" || in_archive "clang-format-$CLANG_FORMAT_MAJOR"; then
        TEST_PACKAGES="$TEST_PACKAGES clang-format-$CLANG_FORMAT_MAJOR"
    else
        echo "This release has no clang-format-$CLANG_FORMAT_MAJOR: the format check will be skipped."
    fi
}

ensure_packages() {
    missing=""
    for p in "$@"; do
        installed "$p" || missing="$missing $p"
    done
    [ -z "$missing" ] && return 0
    echo "Installing:$missing"
    update_lists
    # On a root without apt-utils debconf notes on stderr that it defers its questions,
    # which asks nothing of the user; every other line of apt's stderr stays.
    status=$(mktemp)
    # shellcheck disable=SC2086
    { if $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $missing \
        2>&1 1>&3 3>&-; then echo 0 >"$status"; else echo $? >"$status"; fi |
        { grep -v '^debconf: delaying package configuration, since apt-utils is not installed$' || :; } 1>&2
    } 3>&1
    rc=$(cat "$status")
    rm -f "$status"
    return "$rc"
}

# The benchmarks (tools/bench, bench/README.md): Google Benchmark, the X server and the X
# extensions the start-up benchmark works through, xcalc as the classic reference, the
# gtk3 platform theme that Qt takes on a GNOME desktop, and the X library headers the paste
# benchmark's clipboard owners are written against.
BENCH_PACKAGES="$RUN_PACKAGES libbenchmark-dev pkg-config xvfb libxcb-damage0-dev libxcb-xtest0-dev x11-apps xdotool xclip valgrind qt6-gtk-platformtheme libx11-dev"

# CI: mmdebstrap makes the fresh Debian root that the two commands are proven in (.ci/run).
CI_PACKAGES="mmdebstrap"
