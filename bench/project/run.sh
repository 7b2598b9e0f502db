#!/usr/bin/env bash
# Builds the archive benchmark in release mode and runs it: packing and unpacking a 200 MB
# project folder, against zip -3 and unzip on the same folder in the same run.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${BUILD_DIR:-$root/build-bench}"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORVEL_GUI=OFF >/dev/null
cmake --build "$build" -j2 --target bench_archive
"$build/bench/project/bench_archive" "$@"
