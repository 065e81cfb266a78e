#!/usr/bin/env bash
# `cmake --install` into a temporary prefix puts the program, the manual, the desktop entry and
# the icon in place, and the installed program runs and finds its manual's folder.
# Usage: check_install.sh BUILD_FOLDER
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null
for file in bin/vek share/vek/readme.htm share/vek/dialog-command.png \
            share/applications/vek.desktop share/icons/hicolor/48x48/apps/vek.png \
            share/icons/hicolor/256x256/apps/vek.png share/icons/hicolor/scalable/apps/vek.svg; do
  [ -e "$prefix/$file" ] || { echo "not installed: $file" >&2; exit 1; }
done
# Every picture the manual shows is installed beside it.
grep -o 'src="[^"]*"' "$prefix/share/vek/readme.htm" | sed 's/^src="//; s/"$//' | while read -r p; do
  [ -f "$prefix/share/vek/$p" ] || { echo "picture not installed: $p" >&2; exit 1; }
done
desktop-file-validate "$prefix/share/applications/vek.desktop"
grep -q '^MimeType=inode/directory;$' "$prefix/share/applications/vek.desktop"
grep -q '^Name\[ja\]=' "$prefix/share/applications/vek.desktop"

home=$prefix/home
mkdir -p "$home"
usage=$(VEK_HOME=$home "$prefix/bin/vek" "/?")
grep -q '^Vek /I path /O path' <<<"$usage" || { echo "usage text missing" >&2; exit 1; }
echo "install ok"
