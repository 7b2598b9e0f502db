#!/usr/bin/env bash
# Checks the user's manual: every local link and picture resolves (files beside the page, and
# "#name" to an element of that id), nothing is loaded from outside (it must work offline), the
# page names its language, every picture has a text alternative and headings do not skip levels.
#   scripts/check-manual.sh [MANUAL_FOLDER]      default: manual/
# SPDX-License-Identifier: GPL-3.0-or-later
set -euo pipefail
folder="${1:-$(dirname "$0")/../manual}"
[ -f "$folder/index.html" ] || { echo "check-manual: no $folder/index.html" >&2; exit 1; }
exec /usr/bin/python3 - "$folder" <<'EOF'
import html.parser
import os
import sys
import urllib.parse

folder = sys.argv[1]
problems = []


class Page(html.parser.HTMLParser):
    def __init__(self, path):
        super().__init__()
        self.path = path
        self.ids = set()
        self.links = []  # (attribute, value, line)
        self.lang = None
        self.headings = []  # (level, line)

    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        line = self.getpos()[0]
        if "id" in a:
            self.ids.add(a["id"])
        if tag == "html":
            self.lang = a.get("lang")
        if tag in ("h1", "h2", "h3", "h4", "h5", "h6"):
            self.headings.append((int(tag[1]), line))
        if tag == "img" and not (a.get("alt") or "").strip():
            problems.append(f"{self.path}:{line}: a picture without a text alternative")
        for name in ("href", "src"):
            if a.get(name) is not None:
                self.links.append((tag, name, a[name], line))

    handle_startendtag = handle_starttag


pages = {}
for root, _, names in os.walk(folder):
    for name in names:
        if name.endswith((".html", ".htm")):
            path = os.path.join(root, name)
            page = Page(path)
            with open(path, encoding="utf-8") as f:
                page.feed(f.read())
            pages[os.path.normpath(path)] = page

for path, page in sorted(pages.items()):
    if not page.lang:
        problems.append(f"{path}: the page does not name its language (<html lang>)")
    previous = 0
    for level, line in page.headings:
        if level > previous + 1:
            problems.append(f"{path}:{line}: heading h{level} follows h{previous}")
        previous = level
    for tag, name, value, line in page.links:
        url = urllib.parse.urlsplit(value)
        external = url.scheme not in ("", "file") or value.startswith("//")
        if external:
            # A link the reader follows may leave; nothing the page loads itself may.
            if tag != "a" or url.scheme not in ("http", "https", "mailto"):
                problems.append(f"{path}:{line}: {tag} loads {value} from outside")
            continue
        if url.scheme == "file":
            problems.append(f"{path}:{line}: an absolute file address {value}")
            continue
        target = path
        if url.path:
            target = os.path.normpath(
                os.path.join(os.path.dirname(path), urllib.parse.unquote(url.path)))
            if not os.path.isfile(target):
                problems.append(f"{path}:{line}: {value} does not exist")
                continue
        if url.fragment:
            other = pages.get(target)
            if other is None or url.fragment not in other.ids:
                problems.append(f"{path}:{line}: {value} names no element of that id")

for p in problems:
    print("check-manual: " + p, file=sys.stderr)
sys.exit(1 if problems else 0)
EOF
