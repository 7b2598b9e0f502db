#!/usr/bin/env bash
# Builds the Debian package from build/, checks it with lintian (no errors, no warnings), checks
# its Depends, manual pages, documentation and user's manual, unpacks it into a scratch root and
# starts the unpacked designer headless, by its menu entry's command line, on a project archive;
# the designer must open the project, write its settings file privately into the user's
# configuration folder and end cleanly on SIGTERM. When it may (run as root, with mount
# namespaces), it starts the designer from the installed path itself: the scratch root laid over
# /usr in a mount namespace of its own, so that the program folder is /usr/lib/quorvel as after
# `apt install`.
# SPDX-License-Identifier: GPL-3.0-or-later
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

fail() { echo "package test: $*" >&2; exit 1; }
(cd "$build" && cpack -G DEB -B "$scratch/package") >"$scratch/cpack.log" 2>&1 ||
  { cat "$scratch/cpack.log" >&2; fail "cpack failed"; }
deb="$(ls "$scratch"/package/quorvel_*.deb)"
echo "package: $(basename "$deb") ($(du -h "$deb" | cut -f1))"

# lintian: no errors and no warnings (it fails on either, and when it cannot check the package);
# informational notes are counted, not refused.
if ! lintian --fail-on error,warning --display-info --tag-display-limit 0 "$deb" >"$scratch/lintian.log" 2>&1; then
  cat "$scratch/lintian.log" >&2
  fail "lintian reports errors or warnings"
fi
echo "lintian: no errors, no warnings, $(grep -c '^I: ' "$scratch/lintian.log" || true) informational notes"

# Depends is computed from the libraries the programs link, so it names the ones they need;
depends="$(dpkg-deb --field "$deb" Depends)"
for library in libqt6webenginewidgets6 libqt6core6 libzip4 libc6; do
  [[ "$depends" == *"$library "* || "$depends" == *"$library,"* ]] || fail "Depends lacks $library: $depends"
done
# the emoji font and Qt's own translations (standard buttons and file dialogs) are recommended.
[ "$(dpkg-deb --field "$deb" Recommends)" = "fonts-noto-color-emoji, qt6-translations-l10n" ] ||
  fail "Recommends is not the emoji font and Qt's translations: $(dpkg-deb --field "$deb" Recommends)"

dpkg -x "$deb" "$scratch/root"
root="$scratch/root/usr"
for f in bin/quorvel bin/quorvel-cli lib/quorvel/files/embed_page.htm \
         share/applications/io.quorvel.Designer.desktop share/mime/packages/io.quorvel.Designer.xml \
         share/metainfo/io.quorvel.Designer.metainfo.xml share/icons/hicolor/scalable/apps/io.quorvel.Designer.svg \
         share/doc/quorvel/copyright share/doc/quorvel/changelog.gz \
         share/man/man1/quorvel.1.gz share/man/man1/quorvel-cli.1.gz \
         lib/quorvel/manual/index.html lib/quorvel/translations/quorvel_de.qm \
         lib/quorvel/translations/quorvel_fr.qm; do
  [ -e "$root/$f" ] || fail "missing in the package: $f"
done
# The user's manual that Help opens, whole: its pictures and stylesheet are in the package too.
bash scripts/check-manual.sh "$root/lib/quorvel/manual" || fail "the manual in the package is incomplete"
# The menu entry without even a hint, the AppStream data without infos or warnings.
validation="$(desktop-file-validate "$root/share/applications/io.quorvel.Designer.desktop" 2>&1)"
[ -z "$validation" ] || fail "desktop entry: $validation"
appstreamcli validate --no-net --no-color "$root/share/metainfo/io.quorvel.Designer.metainfo.xml" \
    >"$scratch/appstream.log" 2>&1 || { cat "$scratch/appstream.log" >&2; fail "AppStream data invalid"; }
! grep -E '^[IWE]: ' "$scratch/appstream.log" || fail "AppStream data not clean"
# Its screenshots are the pictures of docs/ (scripts/screenshots.sh), each with a caption.
metainfo="$root/share/metainfo/io.quorvel.Designer.metainfo.xml"
shots="$(grep -o 'screenshots/[a-z-]*\.png' "$metainfo" || true)"
[ -n "$shots" ] || fail "the AppStream data shows no screenshots"
for shot in $shots; do
  [ -f "docs/${shot#screenshots/}" ] || fail "AppStream screenshot $shot is not a picture in docs/"
done
[ "$(grep -c '<caption>' "$metainfo")" -eq "$(grep -c '<screenshot[ >]' "$metainfo")" ] ||
  fail "an AppStream screenshot without a caption"
# Only the programs and their keyring module are in the package: no test or benchmark binaries.
programs="$(find "$scratch/root" -type f -exec sh -c 'head -c4 "$1" | grep -q ELF && basename "$1"' _ {} \; | sort | tr '\n' ' ')"
[ "$programs" = "quorvel quorvel-cli quorvel-keyring.so " ] || fail "unexpected programs in the package: $programs"
# Each manual page names its program and documents every command quorvel-cli lists.
for program in quorvel quorvel-cli; do
  man -l "$root/share/man/man1/$program.1.gz" 2>/dev/null | grep -q "^NAME" || fail "manual page of $program unreadable"
done
commands="$("$root/bin/quorvel-cli" 2>&1 | sed -n 's/^  quorvel-cli \([a-z-]*\).*/\1/p' || true)"
[ -n "$commands" ] || fail "quorvel-cli without arguments lists no commands"
for command in $commands; do
  zcat "$root/share/man/man1/quorvel-cli.1.gz" | grep -q "^\.BI\? \"\?$command\b" ||
    fail "the manual page of quorvel-cli does not describe $command"
done
# ...and every option those commands list.
manual_text="$(zcat "$root/share/man/man1/quorvel-cli.1.gz" | sed -e 's/\\-/-/g' -e 's/\\f[BIRP]//g')"
options="$("$root/bin/quorvel-cli" 2>&1 | grep '^  quorvel-cli ' | grep -o -- '--[a-z][a-z-]*' | sort -u || true)"
[ -n "$options" ] || fail "quorvel-cli lists no options of its commands"
for option in $options; do
  grep -qF -- "$option" <<<"$manual_text" || fail "the manual page of quorvel-cli does not describe $option"
done
[ -n "$(ls "$root/lib/quorvel/template")" ] || { echo "no templates in the package" >&2; exit 1; }
# What is the same on every architecture lives in /usr/share/quorvel; /usr/lib/quorvel holds the
# programs and links to that content only.
for content in template files manual translations; do
  [ -d "$root/share/quorvel/$content" ] && [ ! -L "$root/share/quorvel/$content" ] ||
    fail "share/quorvel/$content is not a folder in the package"
  [ "$(readlink "$root/lib/quorvel/$content")" = "../../share/quorvel/$content" ] ||
    fail "lib/quorvel/$content is not a link to share/quorvel/$content"
done
stray="$(find "$root/lib/quorvel" -mindepth 1 -maxdepth 1 ! -type l ! -name quorvel ! -name quorvel-cli ! -name modules)"
[ "$(ls "$root/lib/quorvel/modules")" = "quorvel-keyring.so" ] ||
  fail "lib/quorvel/modules holds more or less than the keyring module: $(ls "$root/lib/quorvel/modules")"
[ -z "$stray" ] || fail "architecture-independent files in lib/quorvel: $stray"
# The companion needs no window system: neither Qt's widgets nor its web engine are loaded, nor
# Qt's network module, which only the designer's hand-over between two starts uses (each library
# loaded is time a command waits before it starts).
heavy="$(ldd "$root/lib/quorvel/quorvel-cli" | grep -E 'libQt6(Widgets|WebEngine|Network)' || true)"
[ -z "$heavy" ] || fail "quorvel-cli loads libraries of the windows: $heavy"
# Nor QtKeychain and the D-Bus libraries behind it: the keyring module brings them when a
# program first uses the keyring.
keyring="$(ldd "$root/lib/quorvel/quorvel-cli" | grep -E 'keychain|libQt6DBus|libdbus' || true)"
[ -z "$keyring" ] || fail "quorvel-cli loads the keyring's libraries at start: $keyring"
# Both programs and the module carry Debian's hardening: fortified library functions, a stack
# protector, relocations read-only and bound at start, the programs position independent.
# (Control-flow protection is not among Debian 12's default flags, so it is not asked for.)
for program in quorvel quorvel-cli modules/quorvel-keyring.so; do
  hardening-check --nocfprotection "$root/lib/quorvel/$program" >"$scratch/hardening.log" 2>&1 ||
    { cat "$scratch/hardening.log" >&2; fail "$program lacks hardening"; }
done
echo "hardening-check: both programs and the keyring module fortified, stack-protected, relro, bindnow, PIE"

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
mkdir -p "$scratch"/{tmp,data,config,runtime,overlay-work}
chmod 700 "$scratch/runtime"
read -ra words <<<"$command_line"
# From the installed path when the scratch root can be laid over /usr (its writes land in the
# scratch root, so a file the designer puts into its own folder shows up there); otherwise from
# the scratch root itself.
launcher=(env PATH="$root/bin:$PATH")
installed_path=no
if [ "$(id -u)" -eq 0 ] && unshare --mount true 2>/dev/null; then
  launcher=(unshare --mount --propagation private sh -c
    'mount -t overlay overlay -o "lowerdir=/usr,upperdir=$1,workdir=$2" /usr && shift 2 && exec "$@"'
    overlay "$root" "$scratch/overlay-work")
  installed_path=yes
fi
"${launcher[@]}" env TMPDIR="$scratch/tmp" XDG_DATA_HOME="$scratch/data" \
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
wait "$pid" || { cat "$scratch/designer.log" >&2; fail "the installed designer did not end cleanly"; }

# The settings file: readable by its owner only; started from the installed path, in the user's
# configuration folder and not in the program's folder. (From the scratch root, a folder of the
# user's own, it is beside the program.)
if [ "$installed_path" = yes ]; then
  settings="$scratch/config/Quorvel/quorvel.ini"
  [ ! -e "$root/lib/quorvel/quorvel.ini" ] || fail "the designer wrote its settings into /usr/lib/quorvel"
  where="from /usr/bin/quorvel"
else
  settings="$root/lib/quorvel/quorvel.ini"
  where="from the scratch root (no mount namespace here)"
fi
[ -f "$settings" ] || fail "no settings file at $settings"
[ "$(stat -c %a "$settings")" = 600 ] || fail "the settings file has mode $(stat -c %a "$settings")"
echo "package test: the installed designer, started $where, opened $(basename "$scratch/check.qvp"), kept its settings private and ended cleanly"
