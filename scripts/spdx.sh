#!/usr/bin/env bash
# Puts the licence identifier line "SPDX-License-Identifier: GPL-3.0-or-later" at the end of the
# header comment of every source file that opens with one (after a "#!" line, if any): "//" and
# "#" comment lines, or a "/* ... */" block. Files without a header comment are left alone, and so
# are files that already carry the line, so running it twice changes nothing.
#   scripts/spdx.sh [--check] [FILE|FOLDER...]    (default: the whole repository)
# --check changes nothing: it lists the files that lack the line and fails when there are any.
# Test data, templates, build folders and installed Node.js modules are not sources and skipped.
set -euo pipefail
QUORVEL_ROOT="$(cd "$(dirname "$0")/.." && pwd)" exec python3 - "$@" <<'PY'
import os
import re
import sys

LINE = "SPDX-License-Identifier: GPL-3.0-or-later"
C_FAMILY = {".c", ".cc", ".cpp", ".h", ".hpp", ".js", ".mjs", ".cjs", ".css"}
HASH_FAMILY = {".sh", ".cmake", ".py"}
SKIPPED_FOLDERS = {".git", "node_modules", "template", "docs"}
SKIPPED_PATHS = {os.path.join("tests", "data")}


def comment_kind(path, first_line):
    name = os.path.basename(path)
    ext = os.path.splitext(name)[1]
    if ext in C_FAMILY:
        return "c"
    if ext in HASH_FAMILY or name == "CMakeLists.txt" or first_line.startswith("#!"):
        return "hash"
    return None


def with_identifier(text, kind):
    """The text with the identifier added to its header comment, or None when it has none."""
    lines = text.split("\n")
    start = 1 if lines and lines[0].startswith("#!") else 0
    if start >= len(lines):
        return None
    first = lines[start]
    if kind == "c" and first.lstrip().startswith("/*"):
        end = start
        while end < len(lines) and "*/" not in lines[end]:
            end += 1
        if end == len(lines):
            return None
        block = lines[start : end + 1]
        if any(LINE in l for l in block):
            return text
        closing = lines[end]
        if closing.strip() == "*/" and end > start:
            leader = re.match(r"\s*\*?\s*", lines[end - 1]).group(0) or " * "
            lines.insert(end, leader + LINE)
        else:
            leader = re.match(r"\s*(\*\s*)?", closing).group(0) if end > start else "   "
            lines[end] = closing[: closing.rindex("*/")].rstrip()
            lines.insert(end + 1, (leader or "   ") + LINE + " */")
        return "\n".join(lines)
    prefix = "//" if kind == "c" else "#"
    end = start
    while end < len(lines) and lines[end].startswith(prefix) and not lines[end].startswith("#!"):
        end += 1
    if end == start:
        return None
    if any(LINE in l for l in lines[start:end]):
        return text
    lines.insert(end, prefix + " " + LINE)
    return "\n".join(lines)


def sources(targets):
    for target in targets:
        if os.path.isfile(target):
            yield target
            continue
        for folder, subfolders, files in os.walk(target):
            subfolders[:] = sorted(
                s
                for s in subfolders
                if s not in SKIPPED_FOLDERS
                and not s.startswith("build")
                and os.path.relpath(os.path.join(folder, s), target) not in SKIPPED_PATHS
            )
            for f in sorted(files):
                yield os.path.join(folder, f)


def main(args):
    check = "--check" in args
    targets = [a for a in args if a != "--check"] or [os.environ["QUORVEL_ROOT"]]
    lacking = []
    for path in sources(targets):
        try:
            with open(path, encoding="utf-8", newline="") as f:
                text = f.read()
        except (UnicodeDecodeError, OSError):
            continue
        kind = comment_kind(path, text.split("\n", 1)[0])
        if kind is None:
            continue
        changed = with_identifier(text, kind)
        if changed is None or changed == text:
            continue
        lacking.append(path)
        if not check:
            with open(path, "w", encoding="utf-8", newline="") as f:
                f.write(changed)
    if check:
        for path in lacking:
            print(f"{path}: no {LINE} in its header comment")
        return 1 if lacking else 0
    for path in lacking:
        print(f"added to {path}")
    return 0


sys.exit(main(sys.argv[1:]))
PY
