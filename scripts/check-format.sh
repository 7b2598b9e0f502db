#!/usr/bin/env bash
# Fails when a C++ file of the repository differs from what clang-format makes of it.
# With --fix, formats them instead.
# SPDX-License-Identifier: GPL-3.0-or-later
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = "--fix" ]; then
  clang-format -i "${files[@]}"
  exit 0
fi
if ! clang-format --dry-run --Werror "${files[@]}"; then
  echo "Unformatted C++ files (run scripts/check-format.sh --fix)." >&2
  exit 1
fi
echo "clang-format: ${#files[@]} files formatted"
