#!/usr/bin/env bash
# Installs what building, running and testing Quorvel needs on Debian 12, and nothing that is
# already there. The one list of the project's system dependencies.
set -euo pipefail

PACKAGES=(
  # build
  cmake ninja-build g++ pkg-config ccache clang libclang-rt-14-dev clang-format
  qt6-base-dev qt6-webengine-dev libzip-dev zipcmp zipmerge ziptool
  # headless window tests
  xvfb xauth
  # real FTP servers and peers for the upload tests and benchmarks
  python3-pyftpdlib vsftpd curl
  # peers for the archive and data file benchmarks
  zip unzip libxml2-utils
  # the calendar player's browser tests
  chromium
  # iCalendar import and export, and the independent reader its tests compare against
  libical-dev
  python3-icalendar
  python3-dateutil
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
# Node.js runs the player's tests; the machine's own (newer) one is used when present.
command -v node >/dev/null && command -v npm >/dev/null || missing+=(nodejs npm)
if ((${#missing[@]})); then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
