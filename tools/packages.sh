# SPDX-FileCopyrightText: 2026 The Tarvelio developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Debian packages the build and the tests need, and a helper that installs the missing ones.
# libxkbcommon-dev is there for Qt's own CMake package, which looks for it at every
# configure and reports it missing otherwise; python3-pyatspi, at-spi2-core and dbus-x11
# run the screen-reader test; sway, wtype and wl-clipboard drive the program on Wayland;
# lintian, reuse and dpkg-dev check the package and the licence information.
# shellcheck shell=sh
RUN_PACKAGES="g++ make cmake qt6-base-dev fonts-liberation2"
TEST_PACKAGES="$RUN_PACKAGES libgtest-dev libx11-dev xvfb xdotool xclip clang-format desktop-file-utils appstream weston qt6-wayland clang libclang-rt-14-dev python3-pyatspi at-spi2-core dbus-x11 libxkbcommon-dev sway wtype wl-clipboard lintian reuse dpkg-dev"

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
    # shellcheck disable=SC2086
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $missing
}

# The benchmarks (tools/bench, bench/README.md): Google Benchmark, the X server and the X
# extensions the start-up benchmark works through, and xcalc as the classic reference.
BENCH_PACKAGES="$RUN_PACKAGES libbenchmark-dev pkg-config xvfb libxcb1-dev libxcb-damage0-dev libxcb-xtest0-dev x11-apps xdotool xclip valgrind"
