#!/usr/bin/env bash
# Upload throughput of quorvel-cli upload against curl, measured in the same run on the same
# local servers (vsftpd and pyftpdlib on 127.0.0.1): one big file, then many small files over one
# connection. Prints MB/s of both and the ratio ours / curl (target: at least 1.0).
#
#   bench/ftp/run.sh [path/to/quorvel-cli]
#   BIG_MB=300 SMALL_COUNT=2000 SMALL_KB=4 ROUNDS=3 MODE=passive|active bench/ftp/run.sh
set -euo pipefail

HERE=$(cd "$(dirname "$0")" && pwd)
REPO=$(cd "$HERE/../.." && pwd)
CLI=${1:-$REPO/build/bin/quorvel-cli}
BIG_MB=${BIG_MB:-300}
SMALL_COUNT=${SMALL_COUNT:-2000}
SMALL_KB=${SMALL_KB:-4}
ROUNDS=${ROUNDS:-5}
MODE=${MODE:-passive}
SERVERS=${SERVERS:-"vsftpd pyftpdlib"}

[ -x "$CLI" ] || { echo "quorvel-cli not found: $CLI" >&2; exit 1; }
command -v curl >/dev/null || { echo "curl is not installed" >&2; exit 1; }

WORK=$(mktemp -d /tmp/quorvel-bench-ftp.XXXXXX)
PIDS=()
cleanup() {
  for pid in "${PIDS[@]}"; do kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; done
  rm -rf "$WORK"
}
trap cleanup EXIT
chmod 755 "$WORK"

echo "Making the files: one of $BIG_MB MB, $SMALL_COUNT of $SMALL_KB KB"
mkdir -p "$WORK/big" "$WORK/small"
head -c $((BIG_MB * 1024 * 1024)) /dev/urandom > "$WORK/big/big.bin"
head -c $((SMALL_KB * 1024)) /dev/urandom > "$WORK/seed"
for i in $(seq -w 1 "$SMALL_COUNT"); do cp "$WORK/seed" "$WORK/small/f$i.bin"; done
SMALL_NAMES=$(cd "$WORK/small" && ls | paste -sd, -)

free_port() { /usr/bin/python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])'; }
wait_port() { for _ in $(seq 100); do (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null && return 0; sleep 0.05; done; return 1; }

start_vsftpd() {
  local root=$WORK/vsftpd port
  port=$(free_port)
  mkdir -p "$root/anon/upload" "$root/empty"
  chmod 755 "$root" "$root/anon" "$root/empty"
  chown ftp:ftp "$root/anon/upload"
  cat > "$root/vsftpd.conf" <<CONF
listen=YES
listen_ipv6=NO
listen_address=127.0.0.1
listen_port=$port
background=NO
seccomp_sandbox=NO
isolate=NO
isolate_network=NO
secure_chroot_dir=$root/empty
connect_from_port_20=NO
anonymous_enable=YES
local_enable=NO
anon_root=$root/anon
write_enable=YES
anon_upload_enable=YES
anon_mkdir_write_enable=YES
anon_other_write_enable=YES
no_anon_password=YES
anon_umask=022
xferlog_enable=NO
CONF
  /usr/sbin/vsftpd "$root/vsftpd.conf" & PIDS+=($!)
  wait_port "$port"
  PORT=$port USER=anonymous PASS=x DIR=/upload LANDED=$root/anon/upload
}

start_pyftpdlib() {
  local root=$WORK/pyftpdlib
  mkdir -p "$root"
  coproc PYFTPD { exec /usr/bin/python3 "$REPO/tests/data/ftp/pyftpd_server.py" "$root" bench b3nch 2>/dev/null; }
  PIDS+=($PYFTPD_PID)
  read -r PORT <&"${PYFTPD[0]}"
  USER=bench PASS=b3nch DIR=/ LANDED=$root
}

# Seconds taken by one run of a command.
seconds_of() { local t; t=$( { TIMEFORMAT=%R; time "$@" >/dev/null 2>&1; } 2>&1 ); echo "$t"; }
better() { [ -z "$1" ] && { echo "$2"; return; }; awk "BEGIN{print ($2 < $1) ? $2 : $1}"; }
# The best of ROUNDS runs of ours, curl and curl+cmd, taken in turns so that a slower or faster
# spell of the machine falls on all three alike. Prints the three times.
best_of_three() { # folder curl-function
  local folder=$1 curl_fn=$2 b1="" b2="" b3=""
  for _ in $(seq "$ROUNDS"); do
    b1=$(better "$b1" "$(seconds_of ours "$folder")")
    b2=$(better "$b2" "$(seconds_of "$curl_fn")")
    b3=$(better "$b3" "$(seconds_of "$curl_fn" -Q "-TYPE A")")
  done
  echo "$b1 $b2 $b3"
}

ours() { QUORVEL_FTP_PASSWORD=$PASS "$CLI" upload "$1" --host 127.0.0.1 --port "$PORT" --user "$USER" --dir "$DIR" "--$MODE"; }
curl_mode() { [ "$MODE" = active ] && echo "--ftp-port 127.0.0.1" || echo "--ftp-pasv"; }
# quorvel-cli skips the remote listing that ends an upload in the designer's window (it has no
# list to show). Servers answer the first command after a big write late, which is what the
# "+cmd" peer shows: curl sending one command after its transfer and waiting for the answer,
# where plain curl hangs up at once.
curl_big() { curl -sS $(curl_mode) -u "$USER:$PASS" -T "$WORK/big/big.bin" "$@" "ftp://127.0.0.1:$PORT$DIR/"; }
curl_small() { (cd "$WORK/small" && curl -sS $(curl_mode) -u "$USER:$PASS" -T "{$SMALL_NAMES}" "$@" "ftp://127.0.0.1:$PORT$DIR/"); }

check_landed() {
  cmp -s "$WORK/big/big.bin" "$LANDED/big.bin" || { echo "big file arrived damaged" >&2; exit 1; }
  [ "$(ls "$LANDED" | grep -c '^f.*\.bin$')" -eq "$SMALL_COUNT" ] || { echo "small files missing" >&2; exit 1; }
}

ratio() { awk "BEGIN{printf \"%.2f\", $2 / $1}"; } # time of curl / time of ours = throughput ratio
mbps() { awk "BEGIN{printf \"%.1f\", $1 / $2}"; }

SMALL_MB=$(awk "BEGIN{print $SMALL_COUNT * $SMALL_KB / 1024}")
echo "Mode: $MODE, best of $ROUNDS rounds"
printf '%-10s %-14s %10s %10s %8s %14s %10s\n' server case "ours MB/s" "curl MB/s" ratio \
  "curl+cmd MB/s" "ratio+cmd"
for server in $SERVERS; do
  "start_$server"
  ours "$WORK/big" >/dev/null && ours "$WORK/small" >/dev/null # must succeed; also warms up
  read -r t_ours_big t_curl_big t_cmd_big < <(best_of_three "$WORK/big" curl_big)
  read -r t_ours_small t_curl_small t_cmd_small < <(best_of_three "$WORK/small" curl_small)
  check_landed
  row() { # server case megabytes t_ours t_curl t_cmd
    printf '%-10s %-14s %10s %10s %8s %14s %10s\n' "$1" "$2" "$(mbps "$3" "$4")" "$(mbps "$3" "$5")" \
      "$(ratio "$4" "$5")" "$(mbps "$3" "$6")" "$(ratio "$4" "$6")"
  }
  row "$server" "1 x $BIG_MB MB" "$BIG_MB" "$t_ours_big" "$t_curl_big" "$t_cmd_big"
  row "$server" "$SMALL_COUNT x $SMALL_KB KB" "$SMALL_MB" "$t_ours_small" "$t_curl_small" "$t_cmd_small"
done
