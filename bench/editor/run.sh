#!/usr/bin/env bash
# Builds the editor benchmarks in release mode and runs them headless: the event list with 10,000
# events rebuilt and scrolled, against a plain string list view showing the same row texts; and an
# edit until the quick preview shows it, redrawn in place against the page loaded again (order
# alternated, both warmed, median and spread).
# SPDX-License-Identifier: GPL-3.0-or-later
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${BUILD_DIR:-$root/build-bench}"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORVEL_GUI=ON >/dev/null
cmake --build "$build" -j2 --target bench_event_list bench_preview_refresh quorvel_content
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
[ "$(id -u)" -eq 0 ] && export QTWEBENGINE_DISABLE_SANDBOX=1
"$build/bench/editor/bench_event_list" "$@"
"$build/bench/editor/bench_preview_refresh"
