#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Tarvelio developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds one fuzzer with clang in a build directory of its own and runs it for a while on
# a fresh copy of its seed corpus, so the source tree is never written.
#   run-fuzzer.sh CMAKE FUZZ_SOURCE_DIR WORK_DIR NAME SECONDS
# Exits 125 when clang or its fuzzer runtime is missing (the test counts as skipped), and
# non-zero on a finding, whose input is left in WORK_DIR/findings.
set -eu
cmake=$1 src=$2 work=$3 name=$4 seconds=$5

skip() {
    echo "SKIPPED: $* (Debian packages: clang libclang-rt-14-dev)"
    exit 125
}

for compiler in clang clang++; do
    command -v "$compiler" >/dev/null 2>&1 || skip "$compiler is not installed"
done
mkdir -p "$work"
printf 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }\n' \
    >"$work/probe.cpp"
if ! clang++ -fsanitize=fuzzer,address,undefined "$work/probe.cpp" -o "$work/probe" >"$work/probe.log" 2>&1; then
    cat "$work/probe.log"
    skip "clang cannot link a fuzzer: its fuzzer and sanitizer runtime is missing"
fi

CC=clang CXX=clang++ "$cmake" -S "$src" -B "$work/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >"$work/configure.log" 2>&1 ||
    { cat "$work/configure.log"; exit 1; }
"$cmake" --build "$work/build" --target "fuzz_$name" --parallel 2

rm -rf "$work/corpus" "$work/findings"
cp -R "$src/corpus/$name" "$work/corpus"
mkdir "$work/findings"
status=0
"$work/build/fuzz_$name" -max_total_time="$seconds" -max_len=4096 -timeout=20 -rss_limit_mb=2048 \
    -error_exitcode=1 -timeout_exitcode=1 -print_final_stats=1 -artifact_prefix="$work/findings/" \
    "$work/corpus" || status=$?
if [ "$status" -ne 0 ]; then
    echo "fuzz_$name found a fault; rerun it with:"
    for f in "$work/findings"/*; do
        [ -e "$f" ] && echo "  $work/build/fuzz_$name $f"
    done
fi
exit "$status"
