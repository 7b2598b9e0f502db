#!/usr/bin/env bash
# Builds the archive extraction fuzzer with clang and runs it for SECONDS (default 120), starting
# from a few small archives made on the spot.
# SPDX-License-Identifier: GPL-3.0-or-later
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${BUILD_DIR:-$root/build-fuzz}"
seconds="${1:-120}"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQUORVEL_FUZZ=ON -DQUORVEL_SANITIZE=ON -DQUORVEL_GUI=OFF >/dev/null
cmake --build "$build" -j2 --target fuzz_extract_archive quorvel-cli
corpus="$build/fuzz/project/corpus"
mkdir -p "$corpus"
seed="$(mktemp -d)"
mkdir -p "$seed/quorvel/image" "$seed/quorvel/music"
printf '<calendar/>\r\n' >"$seed/quorvel/data.xml"
printf 'png' >"$seed/quorvel/image/a.png"
"$build/bin/quorvel-cli" pack "$seed" "$corpus/seed.qvp"
(cd "$seed" && zip -q -r -0 "$corpus/stored.zip" . && ln -s /etc link && zip -q -y "$corpus/link.zip" link)
rm -rf "$seed"
"$build/fuzz/project/fuzz_extract_archive" -max_total_time="$seconds" -max_len=4096 "$corpus"
