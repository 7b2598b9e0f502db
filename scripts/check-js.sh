#!/usr/bin/env bash
# Checks the syntax of the player's JavaScript and of its tests and tools.
# SPDX-License-Identifier: GPL-3.0-or-later
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files 'player/*.js' 'player/*.mjs' 'player/*.cjs' 'bench/*.js' 'bench/*.mjs')
for f in "${files[@]}"; do
  node --check "$f"
done
echo "node --check: ${#files[@]} files"
