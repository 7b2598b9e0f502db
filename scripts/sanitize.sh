#!/usr/bin/env bash
# Builds the core and its tests with AddressSanitizer and UndefinedBehaviorSanitizer in
# build-asan/ and runs them there.
# SPDX-License-Identifier: GPL-3.0-or-later
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUORVEL_SANITIZE=ON -DQUORVEL_GUI=OFF
# Only what ctest runs: the test programs, quorvel-cli and the installation content.
targets=(quorvel-cli quorvel_content $(ninja -C build-asan -t targets all | sed -n 's/^\(test_[A-Za-z0-9_]*\): .*/\1/p'))
cmake --build build-asan -j"$(nproc)" --target "${targets[@]}"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
(cd build-asan && ctest --output-on-failure -j2 --timeout 300)
