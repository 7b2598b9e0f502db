#!/usr/bin/env bash
# scripts/spdx.sh on a small tree of fixtures: which files get the licence line and where, that a
# second run changes nothing, and that --check fails exactly while a file lacks it.
# SPDX-License-Identifier: GPL-3.0-or-later
set -euo pipefail
spdx="$(cd "$(dirname "$0")/../.." && pwd)/scripts/spdx.sh"
tree="$(mktemp -d)"
trap 'rm -rf "$tree"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# name | content before | content after ("=" when it must stay as it was)
cases=(
  "src/a.cpp|// Parses things.\n// Second line.\n#include <x>\n|// Parses things.\n// Second line.\n// SPDX-License-Identifier: GPL-3.0-or-later\n#include <x>\n"
  "src/b.cpp|#include \"b.h\"\n// not a header comment\n|="
  "src/b.h|#pragma once\n\n// A class.\n|="
  "scripts/x.sh|#!/usr/bin/env bash\n# Does x.\nset -e\n|#!/usr/bin/env bash\n# Does x.\n# SPDX-License-Identifier: GPL-3.0-or-later\nset -e\n"
  "scripts/bare.sh|#!/usr/bin/env bash\nset -e\n|="
  "CMakeLists.txt|# Builds.\nproject(x)\n|# Builds.\n# SPDX-License-Identifier: GPL-3.0-or-later\nproject(x)\n"
  "player/p.js|/*\n * The player.\n */\nvar x;\n|/*\n * The player.\n * SPDX-License-Identifier: GPL-3.0-or-later\n */\nvar x;\n"
  "player/p.css|/* Layout: the look\n   of it. */\n.a {}\n|/* Layout: the look\n   of it.\n   SPDX-License-Identifier: GPL-3.0-or-later */\n.a {}\n"
  "player/q.css|/* One line. */\n.a {}\n|/* One line.\n   SPDX-License-Identifier: GPL-3.0-or-later */\n.a {}\n"
  "src/done.cpp|// Done.\n// SPDX-License-Identifier: GPL-3.0-or-later\nint x;\n|="
  "tests/data/fixture.cpp|// Byte-exact test input.\n|="
  "template/t/data.js|// Calendar data.\n|="
  "README.md|# Title\n|="
)
for c in "${cases[@]}"; do
  IFS='|' read -r name before _ <<<"$c"
  mkdir -p "$tree/$(dirname "$name")"
  printf "$before" >"$tree/$name"
done

if bash "$spdx" --check "$tree" >"$tree.check" 2>&1; then fail "--check passed on files lacking the line"; fi
[ "$(wc -l <"$tree.check")" -eq 6 ] || fail "--check listed $(wc -l <"$tree.check") files, not 6: $(cat "$tree.check")"
bash "$spdx" "$tree" >/dev/null
for c in "${cases[@]}"; do
  IFS='|' read -r name before after <<<"$c"
  [ "$after" = "=" ] && after="$before"
  [ "$(cat "$tree/$name")" = "$(printf "$after")" ] ||
    fail "$name became:"$'\n'"$(cat "$tree/$name")"
done
snapshot="$(find "$tree" -type f -exec md5sum {} + | sort)"
bash "$spdx" "$tree" >/dev/null
[ "$(find "$tree" -type f -exec md5sum {} + | sort)" = "$snapshot" ] || fail "a second run changed files"
bash "$spdx" --check "$tree" || fail "--check failed after the lines were added"
rm -f "$tree.check"
((failures == 0)) && echo "spdx: every case as expected"
exit $((failures > 0))
