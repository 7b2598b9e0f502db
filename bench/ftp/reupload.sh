#!/usr/bin/env bash
# A second upload after one edit, against the first upload of the same published calendar: a
# shipped template is packed, published, uploaded whole to an emptied folder of a local server
# (vsftpd on 127.0.0.1), then one event's title is changed, the calendar published again and
# uploaded with "only changed files" (the default). Prints both times as median (lowest to
# highest) over ROUNDS rounds and the ratio second / first (target: under 0.10).
#
#   bench/ftp/reupload.sh [path/to/quorvel-cli]      TEMPLATE=classic_blue ROUNDS=7
# SPDX-License-Identifier: GPL-3.0-or-later
set -euo pipefail
REPO="$(cd "$(dirname "$0")/../.." && pwd)"
CLI="${1:-$REPO/build/bin/quorvel-cli}"
TEMPLATE="${TEMPLATE:-classic_blue}"
ROUNDS="${ROUNDS:-7}"
WORK="$(mktemp -d "${SCRATCH:-/dev/shm}/quorvel-reupload.XXXXXX")"
SERVER_PID=""
cleanup() { [ -n "$SERVER_PID" ] && kill "$SERVER_PID" 2>/dev/null; rm -rf "$WORK"; }
trap cleanup EXIT

# vsftpd on 127.0.0.1 with anonymous upload into anon/upload (pyftpdlib answers the first data
# connections after a listing a quarter of a second late, which would measure the server).
PORT=$(/usr/bin/python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
mkdir -p "$WORK/anon/upload" "$WORK/empty" "$WORK/data"
chmod 755 "$WORK" "$WORK/anon" "$WORK/empty"
chown ftp:ftp "$WORK/anon/upload"
cat > "$WORK/vsftpd.conf" <<CONF
listen=YES
listen_ipv6=NO
listen_address=127.0.0.1
listen_port=$PORT
background=NO
seccomp_sandbox=NO
isolate=NO
isolate_network=NO
secure_chroot_dir=$WORK/empty
connect_from_port_20=NO
anonymous_enable=YES
local_enable=NO
anon_root=$WORK/anon
write_enable=YES
anon_upload_enable=YES
anon_mkdir_write_enable=YES
anon_other_write_enable=YES
no_anon_password=YES
anon_umask=022
xferlog_enable=NO
CONF
/usr/sbin/vsftpd "$WORK/vsftpd.conf" &
SERVER_PID=$!
sleep 0.5

# A project made from the template: its files under quorvel/, as the designer lays them out.
mkdir -p "$WORK/project/quorvel"
cp -R "$(dirname "$CLI")/template/$TEMPLATE/." "$WORK/project/quorvel/"

now() { date +%s%N; }
publish() { rm -rf "$WORK/site"; "$CLI" pack "$WORK/project" "$WORK/project.qvp" >/dev/null
  "$CLI" publish "$WORK/project.qvp" "$WORK/site" >/dev/null; }
upload() { XDG_DATA_HOME=$WORK/data QUORVEL_FTP_PASSWORD= "$CLI" upload "$WORK/site" \
  --protocol ftp --host 127.0.0.1 --port "$PORT" --user anonymous --dir /upload/site --passive >/dev/null; }

first=() second=()
for round in $(seq 0 "$ROUNDS"); do
  rm -rf "$WORK/anon/upload/site" "$WORK/data"; mkdir -p "$WORK/data" "$WORK/anon/upload/site"
  chown ftp:ftp "$WORK/anon/upload/site"
  publish
  t0=$(now); upload; t1=$(now)
  # One event's title changed, as an edit in the designer would: the data files change.
  perl -0pi -e "s/(<event.*?<title><!\[CDATA\[.*?)(\]\]><\/title>)/\$1 $round\$2/s" "$WORK/project/quorvel/data.xml"
  publish
  t2=$(now); upload; t3=$(now)
  [ "$round" -eq 0 ] && continue # warm-up
  first+=($(( (t1 - t0) / 1000 ))) second+=($(( (t3 - t2) / 1000 )))
done

files=$(find "$WORK/site" -type f | wc -l)
summary() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {printf "%.1f ms (%.1f to %.1f)", a[int((NR+1)/2)]/1000, a[1]/1000, a[NR]/1000}'; }
ratio() { paste <(printf '%s\n' "${second[@]}") <(printf '%s\n' "${first[@]}") | awk '{print $1/$2}' | sort -n |
  awk '{a[NR]=$1} END {printf "%.3f (rounds %.3f to %.3f)", a[int((NR+1)/2)], a[1], a[NR]}'; }
echo "upload of the published $TEMPLATE calendar ($files files), $ROUNDS rounds"
echo "  first upload, whole:          $(summary "${first[@]}")"
echo "  after one edit, changed only: $(summary "${second[@]}")"
echo "  ratio second / first:         $(ratio)   target: under 0.10"
