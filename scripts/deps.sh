#!/usr/bin/env bash
# The one list of the Debian 12 packages the project needs, in two parts, and their installer.
#   scripts/deps.sh        installs what building and running the designer needs (scripts/run.sh)
#   scripts/deps.sh test   installs that and what the tests need (scripts/test.sh)
# Only what is missing is installed. The tests start their own servers on 127.0.0.1, so a server
# package installed here is kept from starting as a system service and left disabled: nothing
# listens on the machine because the tests were set up.
# SPDX-License-Identifier: GPL-3.0-or-later
set -euo pipefail

BUILD_RUN=(
  cmake ninja-build g++ pkg-config ccache
  qt6-base-dev qt6-webengine-dev libzip-dev zipcmp zipmerge ziptool
  zlib1g-dev
  # CRC-32 with the processor's carry-less multiply: checking what a save takes over costs
  # a fraction of copying it (zlib's own CRC-32 costs as much as the copy)
  libdeflate-dev
  # the digest an upload record keeps of each file (XXH3-128)
  libxxhash-dev
  libcurl4-openssl-dev
  # certificate checks of FTP over TLS, and SHA-256 of the files an upload compares (OpenSSL)
  libssl-dev
  qtkeychain-qt6-dev
  # QtKeychain reaches the desktop's Secret Service (GNOME Keyring, KeePassXC...) through it
  libsecret-1-0
  libpugixml-dev
  libical-dev
  # the windows in the user's language: lupdate and lrelease with their CMake functions, and Qt's
  # own translations of standard buttons and file dialogs
  qt6-l10n-tools qt6-tools-dev qt6-translations-l10n
  # emoji in calendar titles show as boxes without a font that has them
  fonts-noto-color-emoji
)

TEST=(
  # format check, sanitizers and the fuzzer
  clang libclang-rt-14-dev clang-format
  # headless window tests
  xvfb xauth
  # keys typed into the real designer under Xvfb by the crash recovery test
  xdotool
  # a window manager on that display, for the test of a second start bringing the window forward
  openbox
  # real FTP and SFTP servers and peers for the upload tests and benchmarks
  python3-pyftpdlib vsftpd curl
  python3-asyncssh
  # a secret store of the tests' own on a private D-Bus session bus
  dbus-daemon dbus-bin gnome-keyring
  openssl
  lftp
  # a second calendar reader for the iCalendar tests
  python3-icalendar
  python3-dateutil
  # peers for the archive and data file benchmarks
  zip unzip libxml2-utils
  # the calendar player's browser tests
  chromium
  # the package test
  lintian desktop-file-utils appstream devscripts
)

# System services that come with TEST packages; the tests run their own instances.
TEST_SERVICES=(vsftpd)

part="${1:-build}"
case "$part" in
  build) wanted=("${BUILD_RUN[@]}") ;;
  test) wanted=("${BUILD_RUN[@]}" "${TEST[@]}") ;;
  *) echo "usage: $0 [build|test]" >&2; exit 2 ;;
esac

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
systemd_runs() { [ -d /run/systemd/system ]; }

missing=()
for p in "${wanted[@]}"; do
  installed "$p" || missing+=("$p")
done
# Node.js runs the player's tests; the machine's own (newer) one is used when present.
if [ "$part" = test ] && ! { command -v node >/dev/null && command -v npm >/dev/null; }; then
  missing+=(nodejs npm)
fi

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"

# While packages are installed, a policy that denies every service start: a server package's
# installation would otherwise start its service on the machine. An existing policy is put back
# afterwards.
policy=/usr/sbin/policy-rc.d
install_without_starting_services() {
  local saved=""
  if [ -e "$policy" ]; then
    saved="$policy.quorvel-saved"
    $SUDO mv "$policy" "$saved"
  fi
  # shellcheck disable=SC2064 # the paths are fixed now
  trap "$SUDO rm -f '$policy'; [ -z '$saved' ] || $SUDO mv '$saved' '$policy'" EXIT
  printf '#!/bin/sh\n# Installed by Quorvel'\''s scripts/deps.sh while it installs packages.\nexit 101\n' |
    $SUDO tee "$policy" >/dev/null
  $SUDO chmod 755 "$policy"
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "$@"
  $SUDO rm -f "$policy"
  [ -z "$saved" ] || $SUDO mv "$saved" "$policy"
  trap - EXIT
}

# A service whose package configuration nobody changed is a leftover of an installation made
# for the tests (earlier versions of this script let it start): it is stopped and disabled.
# A service set up by hand is the machine owner's and is left as it is, with a note.
conffiles_untouched() {
  dpkg-query -W -f='${Conffiles}\n' "$1" | while read -r file sum _; do
    [ -n "$file" ] || continue
    [ -e "$file" ] || return 1
    [ "$(md5sum <"$file" | cut -d' ' -f1)" = "$sum" ] || return 1
  done
}
quiet_service() {
  local service="$1" fresh="$2"
  installed "$service" || return 0
  if [ "$fresh" != yes ] && ! conffiles_untouched "$service"; then
    echo "note: $service is configured on this machine; its system service is left as it is" >&2
    return 0
  fi
  if systemd_runs; then
    $SUDO systemctl disable --now --quiet "$service" 2>/dev/null || true
  else
    $SUDO update-rc.d "$service" disable >/dev/null 2>&1 || true
    $SUDO invoke-rc.d --quiet "$service" stop >/dev/null 2>&1 || true
  fi
}

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -q
  install_without_starting_services "${missing[@]}"
fi
if [ "$part" = test ]; then
  for service in "${TEST_SERVICES[@]}"; do
    fresh=no
    [[ " ${missing[*]} " == *" $service "* ]] && fresh=yes
    quiet_service "$service" "$fresh"
  done
fi
