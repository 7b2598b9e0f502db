#!/usr/bin/env bash
# Builds the gallery benchmark in release mode and runs it headless: the gallery window moving
# through 40 templates page by page, against the same pages of thumbnails read at their shown size
# and painted by a plain widget (order alternated, both warmed, median and spread).
#   bench/gallery/run.sh [rounds]
# SPDX-License-Identifier: GPL-3.0-or-later
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${BUILD_DIR:-$root/build-bench}"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORVEL_GUI=ON >/dev/null
cmake --build "$build" -j2 --target bench_gallery
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
"$build/bench/gallery/bench_gallery" "$@"
