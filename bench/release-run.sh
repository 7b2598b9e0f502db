#!/usr/bin/env bash
# Builds one benchmark of the core in release mode (in build-bench/, or BUILD_DIR) and runs it.
#   bench/release-run.sh AREA TARGET [ARGUMENTS...]
# SPDX-License-Identifier: GPL-3.0-or-later
set -euo pipefail
area="$1" target="$2"
shift 2
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build-bench}"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORVEL_GUI=OFF >/dev/null
# Programs a benchmark starts as its own processes: BENCH_PROGRAMS="quorvel-cli".
cmake --build "$build" -j2 --target "$target" ${BENCH_PROGRAMS:-}
"$build/bench/$area/$target" "$@"
