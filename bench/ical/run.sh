#!/usr/bin/env bash
# Builds the iCalendar import benchmark in release mode and runs it: importing a calendar file of
# 10,000 events into a document, against python3-icalendar parsing the same file, in the same run.
# SPDX-License-Identifier: GPL-3.0-or-later
set -euo pipefail
exec "$(dirname "$0")/../release-run.sh" ical bench_ical_import "$@"
