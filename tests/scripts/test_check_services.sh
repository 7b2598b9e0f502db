#!/usr/bin/env bash
# scripts/check-services.sh fails while something listens on the FTP port it watches and passes
# once nothing does.
# SPDX-License-Identifier: GPL-3.0-or-later
set -euo pipefail
check="$(dirname "$0")/../../scripts/check-services.sh"
scratch="$(mktemp -d)"
server=""
trap '[ -z "$server" ] || kill "$server" 2>/dev/null; rm -rf "$scratch"' EXIT

/usr/bin/python3 -c '
import socket, sys, time
s = socket.socket(); s.bind(("127.0.0.1", 0)); s.listen()
print(s.getsockname()[1], flush=True); time.sleep(60)' >"$scratch/port" &
server=$!
for _ in $(seq 1 50); do [ -s "$scratch/port" ] && break; sleep 0.1; done
port="$(cat "$scratch/port")"

if FTP_PORT="$port" bash "$check" 2>"$scratch/err"; then
  echo "FAIL: a listener on port $port was not reported" >&2; exit 1
fi
grep -q "listens on port $port" "$scratch/err" || { echo "FAIL: no reason given" >&2; exit 1; }
kill "$server"; wait "$server" 2>/dev/null || true; server=""
FTP_PORT="$port" bash "$check" || { echo "FAIL: reported a port nobody listens on" >&2; exit 1; }
echo "check-services: reports a listener and passes without one"
