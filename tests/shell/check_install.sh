#!/usr/bin/env bash
# `cmake --install` into a temporary prefix puts the program, the manual, the manual page, the
# desktop entry and the icon in place, and the installed program runs and finds its manual's
# folder. Vek does not become the program that opens folders.
# Usage: check_install.sh BUILD_FOLDER
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null
for file in bin/vek share/vek/readme.htm share/vek/dialog-command.png \
            share/applications/vek.desktop share/icons/hicolor/48x48/apps/vek.png \
            share/icons/hicolor/256x256/apps/vek.png share/icons/hicolor/scalable/apps/vek.svg \
            share/man/man1/vek.1.gz share/doc/vek/copyright share/doc/vek/changelog.gz; do
  [ -e "$prefix/$file" ] || { echo "not installed: $file" >&2; exit 1; }
done
# Every picture the manual shows is installed beside it.
grep -o 'src="[^"]*"' "$prefix/share/vek/readme.htm" | sed 's/^src="//; s/"$//' | while read -r p; do
  [ -f "$prefix/share/vek/$p" ] || { echo "picture not installed: $p" >&2; exit 1; }
done
desktop-file-validate "$prefix/share/applications/vek.desktop"
grep -q '^Name\[ja\]=' "$prefix/share/applications/vek.desktop"
# Where nothing else opens folders, the desktop must not pick Vek as their opener: Vek claims
# no folder type, and is offered through "open with" like any program.
update-desktop-database "$prefix/share/applications"
default=$(env -u XDG_CURRENT_DESKTOP -u DESKTOP_SESSION XDG_DATA_DIRS="$prefix/share" \
          XDG_DATA_HOME="$prefix/data" XDG_CONFIG_HOME="$prefix/config" \
          XDG_CONFIG_DIRS="$prefix/config" xdg-mime query default inode/directory || true)
[ -z "$default" ] || { echo "folders now open with $default" >&2; exit 1; }

# The manual page reads without a warning from man.
warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$prefix/share/man/man1/vek.1.gz" 2>&1 >/dev/null)
[ -z "$warnings" ] || { echo "vek.1: $warnings" >&2; exit 1; }
LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$prefix/share/man/man1/vek.1.gz" | grep -q '^EXIT STATUS' ||
  { echo "vek.1 does not render" >&2; exit 1; }

home=$prefix/home
mkdir -p "$home"
usage=$(VEK_HOME=$home "$prefix/bin/vek" "/?")
grep -q '^Vek /I path /O path' <<<"$usage" || { echo "usage text missing" >&2; exit 1; }
echo "install ok"
