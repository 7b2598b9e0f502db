#!/usr/bin/env bash
# A second upload after one edit, against the first upload of the same published calendar: a
# shipped template is packed, published, uploaded whole to an emptied folder of a local server
# (vsftpd on 127.0.0.1), then one event's title is changed, the calendar published again and
# uploaded with "only changed files" (the default). Prints both times as median (lowest to
# highest) over ROUNDS rounds and the ratio second / first (target: under 0.10). MEDIA_MB adds
# that many megabytes of pictures (2 MB each) to the project, as a calendar with a photo gallery.
#
# Measured twice: with quorvel-cli, a new process each time (its start and login included), and
# as the designer's upload window does it (bench_upload_window, beside the benchmarks of the
# build), whose user waits from "Upload" on: the window logged in when it opened.
#
#   bench/ftp/reupload.sh [path/to/quorvel-cli]      TEMPLATE=classic_blue ROUNDS=7 MEDIA_MB=200
#   WINDOW=path/to/bench_upload_window (default: bench/ftp/ in the build of quorvel-cli)
# SPDX-License-Identifier: GPL-3.0-or-later
set -euo pipefail
REPO="$(cd "$(dirname "$0")/../.." && pwd)"
CLI="${1:-$REPO/build/bin/quorvel-cli}"
TEMPLATE="${TEMPLATE:-classic_blue}"
ROUNDS="${ROUNDS:-7}"
MEDIA_MB="${MEDIA_MB:-0}"
WINDOW="${WINDOW:-$(dirname "$CLI")/../bench/ftp/bench_upload_window}"
[ -x "$WINDOW" ] || { echo "bench_upload_window not found at $WINDOW: only quorvel-cli is timed" >&2; WINDOW=; }
WORK="$(mktemp -d "${SCRATCH:-/dev/shm}/quorvel-reupload.XXXXXX")"
PIDS=()
cleanup() {
  for pid in "${PIDS[@]}"; do kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; done
  rm -rf "$WORK"
}
trap cleanup EXIT
chmod 755 "$WORK"
source "$(dirname "$0")/servers.sh"
start_vsftpd
mkdir -p "$WORK/data"

# A project made from the template: its files under quorvel/, as the designer lays them out.
mkdir -p "$WORK/project/quorvel"
cp -R "$(dirname "$CLI")/template/$TEMPLATE/." "$WORK/project/quorvel/"
mkdir -p "$WORK/project/quorvel/image"
for i in $(seq 1 $((MEDIA_MB / 2))); do
  head -c 2097152 /dev/urandom >"$WORK/project/quorvel/image/photo-$i.jpg"
done

now() { date +%s%N; }
# Published into the same folder each time, as a user publishes again.
publish() { "$CLI" pack "$WORK/project" "$WORK/project.qvp" >/dev/null
  "$CLI" publish "$WORK/project.qvp" "$WORK/site" >/dev/null; }
upload() { XDG_DATA_HOME=$WORK/data QUORVEL_FTP_PASSWORD=$PASS "$CLI" upload "$WORK/site" \
  --protocol ftp --host 127.0.0.1 --port "$PORT" --user "$USER" --dir "$DIR/site" --passive >/dev/null; }

# The designer's window: prints "open=<ms> upload=<ms> ..."; the upload time in microseconds.
window() { QUORVEL_FTP_PASSWORD=$PASS "$WINDOW" "$WORK/site" 127.0.0.1 "$PORT" "$USER" \
  "$DIR/site" "$WORK/window-records" | sed -E 's/.*upload=([0-9.]+).*/\1/' | awk '{printf "%d", $1 * 1000}'; }
emptied() { rm -rf "$LANDED/site" "$WORK/data" "$WORK/window-records"
  mkdir -p "$WORK/data" "$LANDED/site"; chown ftp:ftp "$LANDED/site"; }
# One event's title changed, as an edit in the designer would: the data files change.
edit() {
  local before; before=$(cksum <"$WORK/project/quorvel/data.xml")
  perl -0pi -e "s/(<entry>.*?<title><!\[CDATA\[.*?)(\]\]><\/title>)/\$1 $1\$2/s" "$WORK/project/quorvel/data.xml"
  [ "$(cksum <"$WORK/project/quorvel/data.xml")" != "$before" ] || { echo "the edit changed nothing" >&2; exit 1; }
}

first=() second=() wfirst=() wsecond=()
for round in $(seq 0 "$ROUNDS"); do
  emptied
  publish
  t0=$(now); upload; t1=$(now)
  edit "$round"
  publish
  t2=$(now); upload; t3=$(now)
  if [ -n "$WINDOW" ]; then
    emptied
    w1=$(window)
    edit "w$round"
    publish
    w2=$(window)
  fi
  [ "$round" -eq 0 ] && continue # warm-up
  first+=($(( (t1 - t0) / 1000 ))) second+=($(( (t3 - t2) / 1000 )))
  [ -n "$WINDOW" ] && wfirst+=("$w1") wsecond+=("$w2")
done

files=$(find "$WORK/site" -type f | wc -l)
summary() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {printf "%.1f ms (%.1f to %.1f)", a[int((NR+1)/2)]/1000, a[1]/1000, a[NR]/1000}'; }
ratio() { # seconds... -- firsts...
  local -a a=() b=(); while [ "$1" != -- ]; do a+=("$1"); shift; done; shift; b=("$@")
  paste <(printf '%s\n' "${a[@]}") <(printf '%s\n' "${b[@]}") | awk '{print $1/$2}' | sort -n |
  awk '{a[NR]=$1} END {printf "%.3f (rounds %.3f to %.3f)", a[int((NR+1)/2)], a[1], a[NR]}'; }
echo "upload of the published $TEMPLATE calendar ($files files, $(du -sm "$WORK/site" | cut -f1) MB), $ROUNDS rounds"
echo " quorvel-cli upload, a new process each time:"
echo "  first upload, whole:          $(summary "${first[@]}")"
echo "  after one edit, changed only: $(summary "${second[@]}")"
echo "  ratio second / first:         $(ratio "${second[@]}" -- "${first[@]}")   target: under 0.10"
if [ -n "$WINDOW" ]; then
  echo " the designer's upload window, from \"Upload\" on (logged in when it opened):"
  echo "  first upload, whole:          $(summary "${wfirst[@]}")"
  echo "  after one edit, changed only: $(summary "${wsecond[@]}")"
  echo "  ratio second / first:         $(ratio "${wsecond[@]}" -- "${wfirst[@]}")   target: under 0.10"
fi
