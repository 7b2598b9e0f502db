#!/usr/bin/env bash
# Renders the program's icon (io.quorvel.Designer.svg) to the PNG sizes the desktop wants, with
# headless Chromium. Rerun after changing the SVG.
# SPDX-License-Identifier: GPL-3.0-or-later
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
tmp="$(mktemp -d)"
mkdir -p "$here/icons"
for s in 16 32 48 64 128 256; do
  printf '<html><body style="margin:0;background:transparent"><img src="file://%s/io.quorvel.Designer.svg" width="%d" height="%d"></body></html>' "$here" "$s" "$s" > "$tmp/icon$s.html"
  chromium --headless --no-sandbox --disable-gpu --hide-scrollbars --default-background-color=00000000 \
    --window-size="$s,$s" --screenshot="$here/icons/$s.png" "file://$tmp/icon$s.html" >/dev/null 2>&1
done
rm -rf "$tmp"
