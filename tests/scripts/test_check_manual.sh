#!/usr/bin/env bash
# The user's manual as shipped passes scripts/check-manual.sh, and the check refuses a manual with
# a broken link, a missing picture, an anchor that names nothing, a picture without a text
# alternative, a resource loaded from outside, a page without its language or a skipped heading.
# SPDX-License-Identifier: GPL-3.0-or-later
set -euo pipefail
repo="$(cd "$(dirname "$0")/../.." && pwd)"
check="$repo/scripts/check-manual.sh"
tree="$(mktemp -d)"
trap 'rm -rf "$tree"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

bash "$check" "$repo/manual" || fail "the shipped manual does not pass the check"

# A small sound manual, then one fault at a time.
sound='<!DOCTYPE html><html lang="en"><head><link rel="stylesheet" href="style.css"></head><body>
<h1>M</h1><nav><a href="#start">Start</a> <a href="other.html#part">Other</a>
<a href="https://example.org/">Web site</a></nav>
<h2 id="start">Start</h2><img src="pictures/a.png" alt="A window"><h3>Detail</h3>
<h2>Next</h2></body></html>'
make_manual() {
  rm -rf "$tree/m" && mkdir -p "$tree/m/pictures"
  printf '%s' "$1" >"$tree/m/index.html"
  printf 'body {}' >"$tree/m/style.css"
  printf 'png' >"$tree/m/pictures/a.png"
  printf '<html lang="en"><body><h1 id="part">Part</h1></body></html>' >"$tree/m/other.html"
}
make_manual "$sound"
bash "$check" "$tree/m" 2>"$tree/log" || fail "a sound manual is refused: $(cat "$tree/log")"

# fault | text replaced | replacement | what the check must name
cases=(
  "broken link|other.html#part|missing.html|missing.html does not exist"
  "missing picture|pictures/a.png|pictures/b.png|pictures/b.png does not exist"
  "missing stylesheet|style.css|styles.css|styles.css does not exist"
  "anchor naming nothing|#start\"|#begin\"|#begin names no element"
  "anchor in another page naming nothing|other.html#part|other.html#whole|other.html#whole names no element"
  "picture without alt| alt=\"A window\"||a picture without a text alternative"
  "picture with empty alt|alt=\"A window\"|alt=\" \"|a picture without a text alternative"
  "stylesheet from outside|href=\"style.css\"|href=\"https://cdn.example.org/s.css\"|loads https://cdn.example.org/s.css from outside"
  "picture from outside|src=\"pictures/a.png\"|src=\"//example.org/a.png\"|loads //example.org/a.png from outside"
  "absolute file address|href=\"#start\"|href=\"file:///usr/share/x.html\"|an absolute file address"
  "no language| lang=\"en\"||does not name its language"
  "skipped heading|<h3>Detail</h3>|<h4>Detail</h4>|heading h4 follows h2"
)
for c in "${cases[@]}"; do
  IFS='|' read -r name from to expected <<<"$c"
  make_manual "${sound//"$from"/"$to"}"
  if bash "$check" "$tree/m" 2>"$tree/log"; then
    fail "$name: the check passed"
  elif ! grep -qF -- "$expected" "$tree/log"; then
    fail "$name: the check did not say \"$expected\": $(cat "$tree/log")"
  fi
done

[ "$failures" -eq 0 ] && echo "check-manual: ${#cases[@]} faults refused, sound manuals passed"
exit $((failures > 0))
