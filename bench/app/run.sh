#!/usr/bin/env bash
# Builds the start-up benchmark in release mode and runs it: the designer starting on a project
# until its quick preview has loaded, against a bare browser window loading the same page.
# SPDX-License-Identifier: GPL-3.0-or-later
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${BUILD_DIR:-$root/build-bench}"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 --target bench_startup quorvel-cli quorvel
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
[ "$(id -u)" -eq 0 ] && export QTWEBENGINE_DISABLE_SANDBOX=1
"$build/bench/app/bench_startup" "$@"
