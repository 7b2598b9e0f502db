#!/usr/bin/env bash
# Installs what is missing, builds and runs every test and quality gate: the format and
# JavaScript checks, a build with warnings as errors, the C++ tests with ctest, the calendar
# player's browser tests, the Debian package test, the core tests under AddressSanitizer and
# UndefinedBehaviorSanitizer, a minute of fuzzing the data file reader, and a check that no system
# FTP service is left running or enabled.
# SPDX-License-Identifier: GPL-3.0-or-later
set -euo pipefail
cd "$(dirname "$0")/.."
# Compiled objects are shared with other clones of the repository when ccache is there.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PWD}" CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-1}"
step() { printf '\n=== %s (%s)\n' "$1" "$(date +%T)"; }

step "dependencies"
bash scripts/deps.sh test
step "format and JavaScript checks"
bash scripts/check-format.sh
bash scripts/check-js.sh
bash scripts/spdx.sh --check
step "build (warnings are errors)"
bash scripts/build.sh -DQUORVEL_WERROR=ON
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
chmod 700 "$XDG_RUNTIME_DIR"
step "tests"
(cd build && ctest --output-on-failure -j2 --timeout 300 -E '^test_designer_process$')
# The crash recovery test drives a real designer under Xvfb with xdotool keys; now and then, on
# a loaded machine, the recovered window does not come up within its wait and the cause is not
# found yet. It gets a second try, and the first try's output stays in the log.
(cd build && ctest --output-on-failure --timeout 300 -R '^test_designer_process$' --repeat until-pass:2)
if [ -f player/package.json ]; then
  step "player tests"
  export PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1
  npm ci --prefix player --no-audit --no-fund
  npm test --prefix player
fi
step "Debian package"
bash scripts/package-test.sh build
step "core tests with AddressSanitizer and UndefinedBehaviorSanitizer"
bash scripts/sanitize.sh
step "fuzzing the data file reader"
bash scripts/fuzz.sh 60
step "no system FTP service left behind"
bash scripts/check-services.sh
step "all passed"
