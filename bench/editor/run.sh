#!/usr/bin/env bash
# Builds the event list benchmark in release mode and runs it headless: the event list with
# 10,000 events rebuilt and scrolled, against a plain string list view showing the same row texts.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${BUILD_DIR:-$root/build-bench}"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORVEL_GUI=ON >/dev/null
cmake --build "$build" -j2 --target bench_event_list
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
"$build/bench/editor/bench_event_list" "$@"
