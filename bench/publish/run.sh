#!/usr/bin/env bash
# Builds the publish benchmark in release mode and runs it: publishing 20,000 small files and a
# 200 MB project into a new folder, on a RAM file system and on disk, against cp -R and unzip of
# the same project in the same run (order alternated, both warmed, median and spread of 7 rounds),
# and quorvel-cli publish and unpack against unzip (+ cp -R), a new process each time.
#   bench/publish/run.sh [rounds] [small files] [megabytes]
# SPDX-License-Identifier: GPL-3.0-or-later
set -euo pipefail
BENCH_PROGRAMS="${BENCH_PROGRAMS:-quorvel-cli quorvel_content}" exec "$(dirname "$0")/../release-run.sh" publish bench_publish "$@"
