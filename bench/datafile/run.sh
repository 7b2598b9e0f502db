#!/usr/bin/env bash
# Builds the data file benchmark in release mode and runs it: reading and writing a data file of
# 10,000 events, against xmllint --noout parsing the same file in the same run.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${BUILD_DIR:-$root/build-bench}"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORVEL_GUI=OFF >/dev/null
cmake --build "$build" -j2 --target bench_datafile
"$build/bench/datafile/bench_datafile" "$@"
