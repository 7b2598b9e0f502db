#!/usr/bin/env bash
# Upload throughput of quorvel-cli upload against curl (and lftp), measured in the same run on the
# same local servers on 127.0.0.1: vsftpd over plain FTP, vsftpd over FTP over TLS (a self-signed
# certificate made for the run, trusted by both sides), optionally pyftpdlib; one big file, then
# many small files. Prints MB/s of both sides as median (lowest to highest) and, as every
# benchmark here, the ratio ours / peer in time (target: at most 1.0).
#
#   bench/ftp/run.sh [path/to/quorvel-cli]
#   BIG_MB=300 SMALL_COUNT=1000 SMALL_KB=4 ROUNDS=7 MODE=passive|active bench/ftp/run.sh
#   SERVERS="vsftpd vsftpd_tls pyftpdlib" (default: the first two)
#   PEERS="curl lftp lftp4" (default: curl; lftp only when installed)
#   CASES="big small" (default: both)
#
# bench/ftp/reupload.sh times a second upload after one edit against the first (only changed files).
#
# The peers, each with its best options for the same work:
# - curl: one connection, every file in one command (-T "{a,b,...}");
# - lftp: mirror -R of the folder over one connection, without setting permissions afterwards;
# - lftp4: the same with --parallel=4, four files in flight on four connections at once.
# We send over as many connections as the peer: one against curl and lftp, four against lftp4
# (--connections), so both sides do the same work with the same number of connections.
#
# What makes the figures comparable:
# - Everything lives on a RAM file system (/dev/shm, or SCRATCH=...): the source files and the
#   servers' roots. This measures the clients, not the disk: on a disk the write-back of one
#   round's big file would slow whichever upload happens to come next.
# - Every upload lands in an emptied folder, so no run pays for truncating an earlier copy.
# - Both sides are warmed once per server, case and peer, then timed in ROUNDS rounds; a round
#   times both, and who goes first alternates, so a slow spell of the machine falls on both alike.
# - Against curl both do the same protocol work: both are libcurl. Per file both send EPSV (in
#   active mode EPRT) and STOR and read its 150 and 226 on the one control connection; curl
#   sends every file from one command line, we walk the folder (one name listing and one
#   change of folder per folder) and make one libcurl transfer per file on the same connection.
#   quorvel-cli skips the remote listing that ends an upload in the designer's window (it has
#   nothing to show it in). lftp lists the remote folder first, as a mirror must.
# - curl 7.88 (Debian 12) now and then sleeps a whole second before it opens a data connection
#   (its transfer loop waits for its next timeout although the connection could be made at
#   once); among thousands of files a few such seconds fall into most of its runs. That is curl's
#   own behaviour and counts against it; its best time is the least touched by it.
# Ratios are given twice: the median (lowest to highest) of the rounds' own ratios (our time /
# peer time of the same round) and the ratio of the best times.
# SPDX-License-Identifier: GPL-3.0-or-later
set -euo pipefail

HERE=$(cd "$(dirname "$0")" && pwd)
REPO=$(cd "$HERE/../.." && pwd)
CLI=${1:-$REPO/build/bin/quorvel-cli}
BIG_MB=${BIG_MB:-300}
SMALL_COUNT=${SMALL_COUNT:-1000}
SMALL_KB=${SMALL_KB:-4}
ROUNDS=${ROUNDS:-7}
MODE=${MODE:-passive}
SERVERS=${SERVERS:-"vsftpd vsftpd_tls"}
SCRATCH=${SCRATCH:-/dev/shm}
PEERS=${PEERS:-"curl"}
CASES=${CASES:-"big small"}
CONNECTIONS=1
command -v lftp >/dev/null || PEERS=${PEERS//lftp4/}
command -v lftp >/dev/null || PEERS=${PEERS//lftp/}
[ -d "$SCRATCH" ] && [ -w "$SCRATCH" ] || SCRATCH=/tmp

[ -x "$CLI" ] || { echo "quorvel-cli not found: $CLI" >&2; exit 1; }
command -v curl >/dev/null || { echo "curl is not installed" >&2; exit 1; }

WORK=$(mktemp -d "$SCRATCH/quorvel-bench-ftp.XXXXXX")
PIDS=()
cleanup() {
  for pid in "${PIDS[@]}"; do kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; done
  rm -rf "$WORK"
}
trap cleanup EXIT
chmod 755 "$WORK"

echo "Making the files in $SCRATCH: one of $BIG_MB MB, $SMALL_COUNT of $SMALL_KB KB"
mkdir -p "$WORK/big" "$WORK/small"
head -c $((BIG_MB * 1024 * 1024)) /dev/urandom > "$WORK/big/big.bin"
head -c $((SMALL_KB * 1024)) /dev/urandom > "$WORK/seed"
for i in $(seq -w 1 "$SMALL_COUNT"); do cp "$WORK/seed" "$WORK/small/f$i.bin"; done
SMALL_NAMES=$(cd "$WORK/small" && ls | paste -sd, -)

# free_port, wait_port, start_vsftpd [tls] and start_vsftpd_tls.
source "$(dirname "$0")/servers.sh"

start_pyftpdlib() {
  local root=$WORK/pyftpdlib
  mkdir -p "$root"
  coproc PYFTPD { exec /usr/bin/python3 "$REPO/tests/data/ftp/pyftpd_server.py" "$root" bench b3nch 2>/dev/null; }
  PIDS+=($PYFTPD_PID)
  read -r PORT <&"${PYFTPD[0]}"
  USER=bench PASS=b3nch DIR=/ LANDED=$root TLS=
}

# Over TLS both sides trust the run's certificate (we by its fingerprint, curl with -k) and
# encrypt login and data; libcurl 7.88 makes TLS data connections passive whatever MODE says.
protocol() { if [ -n "$TLS" ]; then echo "--protocol ftps --trust $TLS"; else echo "--protocol ftp"; fi; }
# Every run sends every file (--all): the peers do not skip what the server already holds. Its
# upload records go to the scratch folder, not the user's data folder.
ours() { XDG_DATA_HOME=$WORK/data QUORVEL_FTP_PASSWORD=$PASS "$CLI" upload "$WORK/$1" --all --host 127.0.0.1 --port "$PORT" --user "$USER" --dir "$DIR" "--$MODE" --connections "$CONNECTIONS" $(protocol); }
curl_mode() {
  # TLS 1.2 as ours: with TLS 1.3 curl 7.88's data connections fail at vsftpd (522 session
  # reuse required), as libcurl's do.
  if [ -n "$TLS" ]; then echo "--ssl-reqd -k --tls-max 1.2 --ftp-pasv"; return; fi
  [ "$MODE" = active ] && echo "--ftp-port 127.0.0.1" || echo "--ftp-pasv"
}
curl_big() { curl -sS $(curl_mode) -u "$USER:$PASS" -T "$WORK/big/big.bin" "ftp://127.0.0.1:$PORT$DIR/"; }
curl_small() { (cd "$WORK/small" && curl -sS $(curl_mode) -u "$USER:$PASS" -T "{$SMALL_NAMES}" "ftp://127.0.0.1:$PORT$DIR/"); }
# lftp mirrors the case's folder into the server's folder; ${LFTP_PARALLEL} files at once.
lftp_case() { # big|small parallel
  local passive=on
  [ "$MODE" = active ] && passive=off
  # Over TLS lftp trusts the run's certificate as the others do and encrypts login and data.
  local tls="set ftp:ssl-allow no;"
  [ -n "$TLS" ] && tls="set ssl:verify-certificate no; set ftp:ssl-force yes; set ftp:ssl-protect-data yes;"
  lftp -u "$USER,$PASS" -p "$PORT" -e "$tls set ftp:passive-mode $passive; set ftp:port-range 31200-31400; set net:max-retries 1; set net:reconnect-interval-base 1; set ftp:prefer-epsv off; mirror -R --no-perms --parallel=$2 $WORK/$1 $DIR; quit" 127.0.0.1
}
curl_run() { "curl_$1"; }
lftp_run() { lftp_case "$1" 1; }
lftp4_run() { lftp_case "$1" 4; }

# Empties the server's folder, then prints the seconds one upload took; a failed upload or a file
# that arrived damaged ends the benchmark.
timed() { # ours|curl big|small
  find "$LANDED" -mindepth 1 -delete
  local start=$EPOCHREALTIME end
  "$@" >/dev/null 2>"$WORK/err" || { echo "$1 failed on the $2 case:" >&2; cat "$WORK/err" >&2; exit 1; }
  end=$EPOCHREALTIME
  check_landed "$2" || { echo "$1 delivered the $2 case damaged or incomplete" >&2; exit 1; }
  awk "BEGIN{printf \"%.6f\", $end - $start}"
}
check_landed() {
  if [ "$1" = big ]; then
    cmp -s "$WORK/big/big.bin" "$LANDED/big.bin"
  else
    [ "$(find "$LANDED" -name 'f*.bin' -size "$((SMALL_KB * 1024))c" | wc -l)" -eq "$SMALL_COUNT" ]
  fi
}

median() { sort -g | awk '{v[NR]=$1} END{print (NR % 2) ? v[(NR+1)/2] : (v[NR/2] + v[NR/2+1]) / 2}'; }
least() { sort -g | head -1; }
most() { sort -g | tail -1; }

# Runs ROUNDS rounds of one case against one peer and prints: median, best and worst seconds of
# ours, the same of the peer, then the median, lowest and highest of the rounds' ratios.
measure() { # big|small curl|lftp|lftp4
  local case=$1 peer=$2 r t_ours t_peer ours_times="" peer_times="" ratios=""
  CONNECTIONS=1
  [ "$peer" = lftp4 ] && CONNECTIONS=4
  timed ours "$case" >/dev/null
  timed "${peer}_run" "$case" >/dev/null
  for r in $(seq "$ROUNDS"); do
    if [ $((r % 2)) -eq 1 ]; then
      t_ours=$(timed ours "$case"); t_peer=$(timed "${peer}_run" "$case")
    else
      t_peer=$(timed "${peer}_run" "$case"); t_ours=$(timed ours "$case")
    fi
    ours_times+="$t_ours"$'\n'; peer_times+="$t_peer"$'\n'
    ratios+=$(awk "BEGIN{print $t_ours / $t_peer}")$'\n'
  done
  local list
  for list in "$ours_times" "$peer_times"; do
    printf '%s %s %s ' "$(printf %s "$list" | median)" "$(printf %s "$list" | least)" \
      "$(printf %s "$list" | most)"
  done
  echo "$(printf %s "$ratios" | median) $(printf %s "$ratios" | least) $(printf %s "$ratios" | most)"
}

mbps() { awk "BEGIN{printf \"%.1f\", $1 / $2}"; }

SMALL_MB=$(awk "BEGIN{print $SMALL_COUNT * $SMALL_KB / 1024}")
# Throughput of seconds: median (at the worst time to at the best).
rate() { echo "$(mbps "$1" "$2") ($(mbps "$1" "$4")-$(mbps "$1" "$3"))"; }
echo "Mode: $MODE, $ROUNDS rounds; MB/s as median (worst-best); ratio = ours / peer in time"
printf '%-10s %-14s %-6s %22s %22s %21s %9s\n' server case peer "ours MB/s" "peer MB/s" \
  "ratio median (range)" "best"
for server in $SERVERS; do
  "start_$server"
  for case in $CASES; do
    if [ "$case" = big ]; then mb=$BIG_MB label="1 x $BIG_MB MB"; else mb=$SMALL_MB label="$SMALL_COUNT x $SMALL_KB KB"; fi
    for peer in $PEERS; do
      read -r mo lo ho mp lp hp rm rl rh < <(measure "$case" "$peer")
      printf '%-10s %-14s %-6s %22s %22s %21s %9.2f\n' "$server" "$label" "$peer" \
        "$(rate "$mb" "$mo" "$lo" "$ho")" "$(rate "$mb" "$mp" "$lp" "$hp")" \
        "$(printf '%.2f (%.2f-%.2f)' "$rm" "$rl" "$rh")" "$(awk "BEGIN{print $lo / $lp}")"
    done
  done
done
