#!/usr/bin/env bash
# Builds the archive benchmark in release mode and runs it: packing and unpacking a 200 MB
# project folder, against zip -3 and unzip on the same folder in the same run.
set -euo pipefail
exec "$(dirname "$0")/../release-run.sh" project bench_archive "$@"
