#!/usr/bin/env bash
# The English translation is complete: lupdate, run over the sources into a copy of
# translations/vek_en.ts, finds no text without finished English, no English for a text the
# sources no longer hold, and nothing to change in the file (it is what `cmake --build build
# --target update_translations` writes). Each English text keeps the source's placeholders and,
# where the source has one, a keyboard accelerator.
# Usage: check_translations.sh SOURCE_FOLDER LUPDATE
set -euo pipefail
root=$1
lupdate=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$root/translations/vek_en.ts" "$work/vek_en.ts"
(cd "$root" && "$lupdate" -silent -source-language ja -locations none src -ts "$work/vek_en.ts")

python3 - "$work/vek_en.ts" <<'PY'
import re, sys
import xml.etree.ElementTree as ET

faults = []
for context in ET.parse(sys.argv[1]).getroot().iter("context"):
    name = context.findtext("name")
    for message in context.iter("message"):
        source = message.findtext("source") or ""
        translation = message.find("translation")
        kind = translation.get("type")
        english = "".join(translation.itertext())
        where = f"{name}: {source!r}"
        if kind == "unfinished":
            faults.append(f"no finished English for {where}")
        elif kind in ("vanished", "obsolete"):
            faults.append(f"English for a text the sources no longer hold: {where}")
        elif not english.strip():
            faults.append(f"empty English for {where}")
        else:
            for mark in sorted(set(re.findall(r"%\d+", source))):
                if mark not in english:
                    faults.append(f"{mark} missing in the English of {where}: {english!r}")
            accelerator = re.compile(r"&(?!&)\w")
            if accelerator.search(source.replace("&&", "")) and not accelerator.search(
                    english.replace("&&", "")):
                faults.append(f"no accelerator in the English of {where}: {english!r}")
for fault in faults:
    print(fault, file=sys.stderr)
sys.exit(1 if faults else 0)
PY

if ! cmp -s "$root/translations/vek_en.ts" "$work/vek_en.ts"; then
  diff -u "$root/translations/vek_en.ts" "$work/vek_en.ts" >&2 || true
  echo "translations/vek_en.ts is not up to date with the sources:" \
       "cmake --build build --target update_translations" >&2
  exit 1
fi
