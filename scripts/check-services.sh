#!/usr/bin/env bash
# Fails when the machine is left with a system FTP service: something listening on the FTP port
# (21, or FTP_PORT), or, where systemd runs, an enabled vsftpd service. The tests start their own
# servers on 127.0.0.1 ports of their choosing and stop them again.
# SPDX-License-Identifier: GPL-3.0-or-later
set -euo pipefail
port="${FTP_PORT:-21}"
status=0
if ss -Hltn "sport = :$port" | grep -q .; then
  echo "something listens on port $port:" >&2
  ss -Hltnp "sport = :$port" >&2
  status=1
fi
if [ -d /run/systemd/system ] && [ "$(systemctl is-enabled vsftpd 2>/dev/null)" = enabled ]; then
  echo "the vsftpd system service is enabled" >&2
  status=1
fi
exit "$status"
