#!/usr/bin/env bash
# The manual is valid HTML, every picture it shows is there, and a browser renders it.
# Usage: check_manual.sh DOCS_FOLDER
set -euo pipefail
docs=$1
manual=$docs/readme.htm

errors=$(xmllint --html --noout "$manual" 2>&1) || true
if [ -n "$errors" ]; then
  echo "xmllint: $errors" >&2
  exit 1
fi

missing=0
while read -r picture; do
  if [ ! -f "$docs/$picture" ]; then
    echo "missing picture: $picture" >&2
    missing=1
  fi
done < <(grep -o 'src="[^"]*"' "$manual" | sed 's/^src="//; s/"$//')
[ "$missing" -eq 0 ]

# Pages the manual links to inside itself exist as ids.
while read -r anchor; do
  grep -q "id=\"$anchor\"" "$manual" || { echo "no id for #$anchor" >&2; exit 1; }
done < <(grep -o 'href="#[^"]*"' "$manual" | sed 's/^href="#//; s/"$//' | sort -u)

profile=$(mktemp -d)
trap 'rm -rf "$profile"' EXIT
dom=$(timeout 120 chromium --headless --no-sandbox --disable-gpu --user-data-dir="$profile" \
      --dump-dom "file://$(realpath "$manual")" 2>/dev/null)
for text in "Vek マニュアル" "終了ステータス" "English summary"; do
  grep -q "$text" <<<"$dom" || { echo "the browser did not show: $text" >&2; exit 1; }
done
echo "manual ok"
