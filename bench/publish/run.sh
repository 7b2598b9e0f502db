#!/usr/bin/env bash
# Builds the publish benchmark in release mode and runs it: publishing a project folder into a
# new folder and over an earlier publish, against cp -R on the same folder in the same run.
set -euo pipefail
exec "$(dirname "$0")/../release-run.sh" publish bench_publish "$@"
