#!/usr/bin/env bash
# Builds the archive benchmark in release mode and runs it: the first save of a 200 MB project
# against zip -3 -n with the media suffixes, a save after a one-event change against cp of the
# finished archive, and opening against unzip (order alternated, both warmed, median and spread
# of 7 rounds).
#   bench/project/run.sh [megabytes] [rounds] [scratch folder]
# SPDX-License-Identifier: GPL-3.0-or-later
set -euo pipefail
BENCH_PROGRAMS=quorvel-cli exec "$(dirname "$0")/../release-run.sh" project bench_archive "$@"
