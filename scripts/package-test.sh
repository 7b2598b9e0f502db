#!/usr/bin/env bash
# Builds the Debian package from build/, unpacks it into a scratch root and starts the unpacked
# designer headless, by its menu entry's command line, on a project archive; the designer must
# open the project and end cleanly on SIGTERM.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

(cd "$build" && cpack -G DEB -B "$scratch/package" >/dev/null)
deb="$(ls "$scratch"/package/quorvel_*.deb)"
echo "package: $(basename "$deb") ($(du -h "$deb" | cut -f1))"
dpkg-deb --field "$deb" Depends | grep -q libqt6webenginewidgets6
dpkg -x "$deb" "$scratch/root"
root="$scratch/root/usr"
for f in bin/quorvel bin/quorvel-cli lib/quorvel/files/embed_page.htm \
         share/applications/io.quorvel.Designer.desktop share/mime/packages/io.quorvel.Designer.xml \
         share/metainfo/io.quorvel.Designer.metainfo.xml share/icons/hicolor/scalable/apps/io.quorvel.Designer.svg; do
  [ -e "$root/$f" ] || { echo "missing in the package: $f" >&2; exit 1; }
done
[ -n "$(ls "$root/lib/quorvel/template")" ] || { echo "no templates in the package" >&2; exit 1; }

# A project made from an installed template with the installed companion.
template="$(ls "$root/lib/quorvel/template" | head -1)"
mkdir -p "$scratch/project/quorvel"
cp -r "$root/lib/quorvel/template/$template/." "$scratch/project/quorvel/"
sed -i 's|<title><!\[CDATA\[[^]]*\]\]></title>|<title><![CDATA[Installed package check]]></title>|' \
    "$scratch/project/quorvel/data.xml"
PATH="$root/bin:$PATH" quorvel-cli pack "$scratch/project" "$scratch/check.qvp" >/dev/null

# The menu entry's command line, with the file in place of %f.
exec_line="$(sed -n 's/^Exec=//p' "$root/share/applications/io.quorvel.Designer.desktop")"
command_line="${exec_line//%f/$scratch/check.qvp}"
mkdir -p "$scratch"/{tmp,data,config,runtime}
chmod 700 "$scratch/runtime"
read -ra words <<<"$command_line"
env PATH="$root/bin:$PATH" TMPDIR="$scratch/tmp" XDG_DATA_HOME="$scratch/data" \
    XDG_CONFIG_HOME="$scratch/config" XDG_RUNTIME_DIR="$scratch/runtime" \
    QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1 "${words[@]}" \
    >"$scratch/designer.log" 2>&1 &
pid=$!
data_file="$scratch/data/Quorvel/work/quorvel/data.xml"
for _ in $(seq 1 300); do
  grep -q "Installed package check" "$data_file" 2>/dev/null && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if ! grep -q "Installed package check" "$data_file" 2>/dev/null; then
  echo "the installed designer did not open the project" >&2
  cat "$scratch/designer.log" >&2
  kill "$pid" 2>/dev/null || true
  exit 1
fi
kill -TERM "$pid"
wait "$pid" || { echo "the installed designer did not end cleanly" >&2; exit 1; }
echo "package test: the installed designer opened $(basename "$scratch/check.qvp") and ended cleanly"
