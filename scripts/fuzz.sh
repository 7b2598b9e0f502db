#!/usr/bin/env bash
# Builds the data file reader's fuzz target with clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer in build-fuzz/ and runs it on the data file fixtures for a while
# (60 seconds unless a number of seconds is given). Fails on a crash, hang or sanitizer report.
# Two thirds of the time go to small inputs; the last third lets inputs grow to 1 MB at once, with
# a short time limit per input, so that a reading step slower than linear shows as a timeout.
# SPDX-License-Identifier: GPL-3.0-or-later
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DQUORVEL_FUZZ=ON -DQUORVEL_SANITIZE=ON -DQUORVEL_GUI=OFF
cmake --build build-fuzz -j"$(nproc)" --target fuzz_reader
# New inputs go to a corpus of the build's own; the fixtures are only read.
mkdir -p build-fuzz/corpus build-fuzz/artifacts
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
# libFuzzer takes 0 seconds as "no limit": each part gets one second at least.
short=$((seconds * 2 / 3))
((short >= 1)) || short=1
long=$((seconds - short))
((long >= 1)) || long=1
run() {
    build-fuzz/fuzz/fuzz_reader -rss_limit_mb=2048 -print_final_stats=1 \
        -dict=fuzz/datafile.dict -artifact_prefix=build-fuzz/artifacts/ "$@" \
        build-fuzz/corpus tests/data/datafile/read tests/data/datafile/fail
}
run -max_total_time="$short" -timeout=10 -max_len=16384
run -max_total_time="$long" -timeout=3 -max_len=1048576 -len_control=0
