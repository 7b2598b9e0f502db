#!/usr/bin/env bash
# Builds the data file benchmark in release mode and runs it: reading and writing a data file of
# 10,000 events (or as many as given), against xmllint --noout parsing the same file in the same
# run (order alternated, both warmed, median and spread).
#   bench/datafile/run.sh [rounds] [events]
# SPDX-License-Identifier: GPL-3.0-or-later
set -euo pipefail
exec "$(dirname "$0")/../release-run.sh" datafile bench_datafile "$@"
