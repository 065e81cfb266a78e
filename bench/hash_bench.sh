#!/usr/bin/env bash
# Hashing side by side in one run, warm cache: one 2 GB file (vek's SHA-256 list of its folder
# against sha256sum of the file), and the 200,000-file tree with 4 KB per file (a SHA-256 CSV
# list with /M against find | xargs sha256sum, one process and two). The machine is shared:
# the figures are medians of several runs of each command.
# Usage: bench/hash_bench.sh [vek executable]   (default build/src/app/vek)
set -euo pipefail
cd "$(dirname "$0")/.."
vek=$(realpath "${1:-build/src/app/vek}")
work=$(mktemp -d /tmp/vek-hash-bench.XXXXXX)
trap 'rm -rf "$work"' EXIT
export VEK_HOME=$work/home
mkdir -p "$VEK_HOME" "$work/out" "$work/big"
tree=/tmp/vek-hash-tree
[ -d "$tree" ] || python3 bench/make_tree.py "$tree" 10 4096
head -c 2G /dev/urandom > "$work/big/big.bin"
cat "$work/big/big.bin" > /dev/null
find "$tree" -type f -print0 | xargs -0 cat > /dev/null

echo "## One 2 GB file, cached"
hyperfine -N --warmup 1 --runs 7 --export-json "$work/big.json" \
  "sha256sum $work/big/big.bin" \
  "$vek /I $work/big /O $work/out /T CSV /F big /M SHA256"
echo "## 200,000 files of 4 KB, cached"
hyperfine --warmup 1 --runs 5 --export-json "$work/tree.json" \
  "find $tree -type f ! -name '.*' -print0 | xargs -0 sha256sum > /dev/null" \
  "find $tree -type f ! -name '.*' -print0 | xargs -0 -P2 sha256sum > /dev/null" \
  "$vek /I $tree /O $work/out /T CSV /F tree /C /M SHA256"
python3 - "$work/big.json" "$work/tree.json" <<'PY'
import json, sys
for path in sys.argv[1:]:
    results = json.load(open(path))["results"]
    vek = results[-1]["median"]
    for r in results:
        print(f"{r['median']:8.3f} s median  vek/this = {vek / r['median']:.2f}  {r['command']}")
PY
