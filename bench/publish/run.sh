#!/usr/bin/env bash
# Builds the publish benchmark in release mode and runs it: publishing a project folder into a
# new folder and over an earlier publish, against cp -R on the same folder in the same run.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${BUILD_DIR:-$root/build-bench}"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORVEL_GUI=OFF >/dev/null
cmake --build "$build" -j2 --target bench_publish
"$build/bench/publish/bench_publish" "$@"
