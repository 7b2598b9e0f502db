#!/usr/bin/env bash
# Makes the README's pictures in docs/: the designer's main window with a project open (on a
# virtual X display) and the published calendar in headless Chromium; and the user's manual's
# pictures in manual/pictures/: those two, the "Events" tab, the gallery and the publishing result
# window. Builds first when needed.
#   scripts/screenshots.sh [TEMPLATE]      default: the first template
# SPDX-License-Identifier: GPL-3.0-or-later
set -euo pipefail
cd "$(dirname "$0")/.."
[ -x build/tools/screenshot_main_window ] || bash scripts/build.sh
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
template="${1:-$(ls build/bin/template | head -1)}"
mkdir -p "$work/project/quorvel" docs
cp -r "build/bin/template/$template/." "$work/project/quorvel/"
rm -f "$work/project/quorvel/thumb.jpg" "$work/project/quorvel/thumb_s.jpg"
build/bin/quorvel-cli pack "$work/project" "$work/$template.qvp" >/dev/null

[ "$(id -u)" -eq 0 ] && export QTWEBENGINE_DISABLE_SANDBOX=1
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$work/runtime}"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
# One designer a picture: what (see tools/screenshot_main_window.cpp) and where.
designer_picture() {
  xvfb-run -a -s "-screen 0 1280x900x24" env QT_QPA_PLATFORM=xcb \
      build/tools/screenshot_main_window "$work/$template.qvp" "$2" "$1" \
      2>"$work/designer.log" || { cat "$work/designer.log" >&2; exit 1; }
}
mkdir -p manual/pictures
designer_picture 0 docs/main-window.png
cp docs/main-window.png manual/pictures/main-window.png
designer_picture 1 manual/pictures/events-tab.png
designer_picture gallery manual/pictures/gallery.png
designer_picture publishing manual/pictures/publishing.png

build/bin/quorvel-cli publish "$work/$template.qvp" "$work/site" >/dev/null
chromium --headless --no-sandbox --disable-gpu --hide-scrollbars --window-size=900,700 \
    --virtual-time-budget=3000 --screenshot="$PWD/docs/published-calendar.png" \
    "file://$work/site/Calendar.htm" 2>/dev/null
cp docs/published-calendar.png manual/pictures/published-calendar.png
echo "docs/main-window.png, docs/published-calendar.png and manual/pictures/ made from template $template"
