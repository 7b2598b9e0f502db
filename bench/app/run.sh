#!/usr/bin/env bash
# Builds the start-up benchmark in release mode and runs it on an X server of its own (xvfb) with
# shown windows: the designer starting on a project until its quick preview has loaded, against a
# bare browser window loading the same page (order alternated, both warmed, median and spread).
#   bench/app/run.sh [rounds]
# SPDX-License-Identifier: GPL-3.0-or-later
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${BUILD_DIR:-$root/build-bench}"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORVEL_GUI=ON >/dev/null
cmake --build "$build" -j2 --target bench_startup quorvel-cli quorvel
[ "$(id -u)" -eq 0 ] && export QTWEBENGINE_DISABLE_SANDBOX=1
export QT_QPA_PLATFORM=xcb
exec xvfb-run -a -s "-screen 0 1280x1024x24" "$build/bench/app/bench_startup" "$@"
