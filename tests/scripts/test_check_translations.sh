#!/usr/bin/env bash
# The shipped translations pass scripts/check-translations.sh, and the check refuses a translation
# that lacks a text of the sources, keeps one the sources lost, leaves one unfinished or empty, or
# drops a placeholder or a shortcut mark.
# SPDX-License-Identifier: GPL-3.0-or-later
set -euo pipefail
repo="$(cd "$(dirname "$0")/../.." && pwd)"
check="$repo/scripts/check-translations.sh"
tree="$(mktemp -d)"
trap 'rm -rf "$tree"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

bash "$check" || fail "the shipped translations do not pass the check"

# A small program of two texts and its sound German translation, then one fault at a time.
mkdir -p "$tree/src"
cat >"$tree/src/Window.cpp" <<'EOF'
#include <QCoreApplication>
QString caption() { return QCoreApplication::translate("Window", "&Open %1"); }
QString question() { return QCoreApplication::translate("Window", "Save changes?"); }
EOF
sound='<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>Window</name>
    <message>
        <source>&amp;Open %1</source>
        <translation>%1 &amp;öffnen</translation>
    </message>
    <message>
        <source>Save changes?</source>
        <translation>Änderungen speichern?</translation>
    </message>
</context>
</TS>
'
run_check() { bash "$check" --sources "$tree/src" "$tree/de.ts" 2>"$tree/log"; }
printf '%s' "$sound" >"$tree/de.ts"
run_check || fail "a sound translation is refused: $(cat "$tree/log")"

# fault | text replaced in the .ts | replacement | what the check must say
cases=(
  "unfinished translation|<translation>Änderungen speichern?</translation>|<translation type=\"unfinished\">Änderungen speichern?</translation>|not translated: Window: 'Save changes?'"
  "empty translation|<translation>Änderungen speichern?</translation>|<translation></translation>|Save changes?"
  "dropped placeholder|%1 &amp;öffnen|&amp;öffnen|placeholders differ"
  "dropped shortcut mark|%1 &amp;öffnen|%1 öffnen|shortcut mark differs"
)
for case in "${cases[@]}"; do
  IFS='|' read -r name from to expected <<<"$case"
  printf '%s' "${sound/"$from"/"$to"}" >"$tree/de.ts"
  if run_check; then
    fail "$name: accepted"
  elif ! grep -qF -- "$expected" "$tree/log"; then
    fail "$name: the check does not say \"$expected\": $(cat "$tree/log")"
  fi
done

# A text new in the sources that the translation lacks, and one the sources no longer have.
printf '%s' "$sound" >"$tree/de.ts"
echo 'QString added() { return QCoreApplication::translate("Window", "Close"); }' >>"$tree/src/Window.cpp"
if run_check; then fail "a text missing from the translation is accepted"; fi
grep -q '<source>Close</source>' "$tree/log" || fail "the missing text is not named: $(cat "$tree/log")"
sed -i '/Save changes/d' "$tree/src/Window.cpp"
bash "$check" --update --sources "$tree/src" "$tree/de.ts" 2>/dev/null || true
grep -q 'Save changes' "$tree/de.ts" && fail "--update keeps a text the sources lost"
grep -q '<source>Close</source>' "$tree/de.ts" || fail "--update does not bring in the new text"
if run_check; then fail "the new text, untranslated after --update, is accepted"; fi
printf '%s' "$sound" >"$tree/de.ts"
if run_check; then fail "a text the sources no longer have is accepted"; fi
grep -q 'Save changes' "$tree/log" || fail "the text left over is not named: $(cat "$tree/log")"

[ "$failures" -eq 0 ] || exit 1
echo "check-translations: shipped translations complete, $((${#cases[@]} + 3)) faults refused"
