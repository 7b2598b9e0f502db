#!/usr/bin/env bash
# Installs the benchmark's Node.js modules (no browser download: it uses /usr/bin/chromium) and
# runs it: a month of 1,000 events rendered by the calendar player against FullCalendar's month
# view. RUNS=15 for more runs.
# SPDX-License-Identifier: GPL-3.0-or-later
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm ci --prefix "$here" --no-audit --no-fund >/dev/null
npm run --silent bench --prefix "$here"
