#!/usr/bin/env bash
# Checks that every shipped translation of the windows is complete: each translations/*.ts holds
# exactly the texts lupdate finds in the sources (none missing, none left over), every one of them
# translated, with the placeholders (%1...) and the shortcut mark (&) of its English text.
#   scripts/check-translations.sh [--update] [--sources FOLDER] [TS_FILE...]
# --update rewrites the .ts files from the sources first (new texts come in unfinished, texts no
# longer in the sources go), so that what needs translating can be seen; the check follows.
# Defaults: the sources in src/ and every translations/*.ts.
# SPDX-License-Identifier: GPL-3.0-or-later
set -euo pipefail
repo="$(cd "$(dirname "$0")/.." && pwd)"
update=no
sources="$repo/src"
ts_files=()
while (($#)); do
  case "$1" in
    --update) update=yes ;;
    --sources) sources="$2"; shift ;;
    -*) echo "usage: $0 [--update] [--sources FOLDER] [TS_FILE...]" >&2; exit 2 ;;
    *) ts_files+=("$1") ;;
  esac
  shift
done
((${#ts_files[@]})) || ts_files=("$repo"/translations/*.ts)

lupdate="${LUPDATE:-}"
for candidate in /usr/lib/qt6/bin/lupdate "$(command -v lupdate6 || true)"; do
  [ -n "$lupdate" ] || { [ -x "$candidate" ] && lupdate="$candidate"; }
done
[ -n "$lupdate" ] || { echo "check-translations: lupdate not found (Debian: qt6-l10n-tools)" >&2; exit 1; }

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
# The one way the .ts files are written: without line numbers, so that moving code changes none.
run_lupdate() { "$lupdate" -silent -locations none -no-obsolete -source-language en "$sources" -ts "$1"; }

failed=0
for ts in "${ts_files[@]}"; do
  [ -f "$ts" ] || { echo "check-translations: no $ts" >&2; failed=1; continue; }
  [ "$update" = no ] || run_lupdate "$ts"
  # What lupdate makes of the sources with this file's translations: anything new or gone shows
  # as a difference.
  cp "$ts" "$scratch/current.ts"
  run_lupdate "$scratch/current.ts"
  if ! diff -u "$ts" "$scratch/current.ts" >"$scratch/diff"; then
    echo "$(basename "$ts"): does not match the texts of the sources (run $0 --update and translate what is new):" >&2
    grep '^[-+] *<source>' "$scratch/diff" | sed 's/^/  /' >&2 || cat "$scratch/diff" >&2
    failed=1
  fi
  /usr/bin/python3 - "$ts" <<'EOF' || failed=1
import re
import sys
import xml.etree.ElementTree as ET

path = sys.argv[1]
problems = []
for context in ET.parse(path).getroot().iter("context"):
    name = context.findtext("name")
    for message in context.iter("message"):
        source = message.findtext("source") or ""
        translation = message.find("translation")
        text = (translation.text or "") if translation is not None else ""
        forms = translation.findall("numerusform") if translation is not None else []
        if forms:  # a text with a count (%n): every plural form is translated
            text = "" if any(not (f.text or "").strip() for f in forms) else forms[0].text
        where = f"{name}: {source!r}"
        if translation is None or translation.get("type") in ("unfinished", "vanished", "obsolete"):
            problems.append(f"not translated: {where}")
            continue
        if not text.strip():
            problems.append(f"empty translation: {where}")
            continue
        if sorted(re.findall(r"%\d", source)) != sorted(re.findall(r"%\d", text)):
            problems.append(f"placeholders differ: {where} -> {text!r}")
        # A shortcut mark ("&File", "Pro&cess"), not an entity or a lone "&".
        mark = re.compile(r"&(?![a-z]+;|#)\w")
        if bool(mark.search(source)) != bool(mark.search(text)):
            problems.append(f"shortcut mark differs: {where} -> {text!r}")
for problem in problems:
    print(f"{path.rsplit('/', 1)[-1]}: {problem}", file=sys.stderr)
sys.exit(1 if problems else 0)
EOF
done
exit "$failed"
