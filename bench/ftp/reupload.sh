#!/usr/bin/env bash
# A second upload after one edit, against the first upload of the same published calendar: a
# shipped template is packed, published, uploaded whole to an emptied folder of a local server
# (vsftpd on 127.0.0.1), then one event's title is changed, the calendar published again and
# uploaded with "only changed files" (the default). Prints both times as median (lowest to
# highest) over ROUNDS rounds and the ratio second / first (target: under 0.10). MEDIA_MB adds
# that many megabytes of pictures (2 MB each) to the project, as a calendar with a photo gallery.
#
#   bench/ftp/reupload.sh [path/to/quorvel-cli]      TEMPLATE=classic_blue ROUNDS=7 MEDIA_MB=200
# SPDX-License-Identifier: GPL-3.0-or-later
set -euo pipefail
REPO="$(cd "$(dirname "$0")/../.." && pwd)"
CLI="${1:-$REPO/build/bin/quorvel-cli}"
TEMPLATE="${TEMPLATE:-classic_blue}"
ROUNDS="${ROUNDS:-7}"
MEDIA_MB="${MEDIA_MB:-0}"
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

first=() second=()
for round in $(seq 0 "$ROUNDS"); do
  rm -rf "$LANDED/site" "$WORK/data"; mkdir -p "$WORK/data" "$LANDED/site"
  chown ftp:ftp "$LANDED/site"
  publish
  t0=$(now); upload; t1=$(now)
  # One event's title changed, as an edit in the designer would: the data files change.
  before=$(cksum <"$WORK/project/quorvel/data.xml")
  perl -0pi -e "s/(<entry>.*?<title><!\[CDATA\[.*?)(\]\]><\/title>)/\$1 $round\$2/s" "$WORK/project/quorvel/data.xml"
  [ "$(cksum <"$WORK/project/quorvel/data.xml")" != "$before" ] || { echo "the edit changed nothing" >&2; exit 1; }
  publish
  t2=$(now); upload; t3=$(now)
  [ "$round" -eq 0 ] && continue # warm-up
  first+=($(( (t1 - t0) / 1000 ))) second+=($(( (t3 - t2) / 1000 )))
done

files=$(find "$WORK/site" -type f | wc -l)
summary() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {printf "%.1f ms (%.1f to %.1f)", a[int((NR+1)/2)]/1000, a[1]/1000, a[NR]/1000}'; }
ratio() { paste <(printf '%s\n' "${second[@]}") <(printf '%s\n' "${first[@]}") | awk '{print $1/$2}' | sort -n |
  awk '{a[NR]=$1} END {printf "%.3f (rounds %.3f to %.3f)", a[int((NR+1)/2)], a[1], a[NR]}'; }
echo "upload of the published $TEMPLATE calendar ($files files, $(du -sm "$WORK/site" | cut -f1) MB), $ROUNDS rounds"
echo "  first upload, whole:          $(summary "${first[@]}")"
echo "  after one edit, changed only: $(summary "${second[@]}")"
echo "  ratio second / first:         $(ratio)   target: under 0.10"
