# SPDX-FileCopyrightText: 2026 The Tarvelio developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Debian packages the build and the tests need, and a helper that installs the missing ones.
# libfontconfig-dev, fontconfig (fc-match) and pkgconf find the window's font files and
# fontconfig's rule folder at configure; libxkbcommon-dev is there for Qt's own CMake
# package, which looks for it at every configure and reports it missing otherwise; python3-pyatspi, at-spi2-core and dbus-x11
# run the screen-reader test; orca and speech-dispatcher the one with the screen reader itself,
# in the German locale built from locales; sway, wtype and wl-clipboard drive the program on
# Wayland; lintian, reuse and dpkg-dev check the package and the licence information;
# debhelper and build-essential build the Debian source package (debian/).
# shellcheck shell=sh
RUN_PACKAGES="g++ make cmake pkgconf qt6-base-dev libfontconfig-dev fontconfig libxkbcommon-dev fonts-liberation2"
TEST_PACKAGES="$RUN_PACKAGES libgtest-dev libx11-dev xvfb xdotool xclip clang-format desktop-file-utils appstream weston qt6-wayland clang libclang-rt-14-dev python3-pyatspi at-spi2-core dbus-x11 orca speech-dispatcher locales sway wtype wl-clipboard lintian reuse dpkg-dev debhelper build-essential"

ensure_packages() {
    missing=""
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
    done
    [ -z "$missing" ] && return 0
    echo "Installing:$missing"
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -q
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
# extensions the start-up benchmark works through, xcalc as the classic reference, and the
# gtk3 platform theme that Qt takes on a GNOME desktop.
BENCH_PACKAGES="$RUN_PACKAGES libbenchmark-dev pkg-config xvfb libxcb1-dev libxcb-damage0-dev libxcb-xtest0-dev x11-apps xdotool xclip valgrind qt6-gtk-platformtheme"

# CI: mmdebstrap makes the fresh Debian root that the two commands are proven in (.ci/run).
CI_PACKAGES="mmdebstrap"
