#!/usr/bin/env bash
# Installs what is missing, builds and runs every test: the C++ tests with ctest and the
# calendar player's browser tests.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/build.sh
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
chmod 700 "$XDG_RUNTIME_DIR"
(cd build && ctest --output-on-failure -j2 --timeout 300)
if [ -f player/package.json ]; then
  export PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1
  npm ci --prefix player --no-audit --no-fund
  npm test --prefix player
fi
