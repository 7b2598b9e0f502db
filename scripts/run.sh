#!/usr/bin/env bash
# Installs what is missing, builds and starts the designer.
# SPDX-License-Identifier: GPL-3.0-or-later
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh build
bash scripts/build.sh
exec build/bin/quorvel
