#!/usr/bin/env bash
# JSON lists and /V comparisons against the plain CSV run, side by side over the 1,000,000-file
# tree: the runs interleaved (the machine is shared), N rounds, median wall time and peak resident
# memory of each (/usr/bin/time, through bench/measure.sh). Before the comparison rounds the tree
# gets a few files added, removed and changed, so the comparison has differences to report.
# Usage: bench/compare_bench.sh [vek executable] [rounds]   (default build/src/app/vek, 5)
set -euo pipefail
cd "$(dirname "$0")/.."
vek=$(realpath "${1:-build/src/app/vek}")
rounds=${2:-5}
tree=/tmp/vek-json-tree
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
[ -d "$tree" ] || python3 bench/make_tree.py "$tree" 50
export VEK_HOME=$work/home
mkdir -p "$VEK_HOME" "$work/out"
results=$work/results
source bench/measure.sh
also_accepted="4"
"$vek" /I "$tree" /O "$work/out" /T JSON /F saved /C /E '*' 2>/dev/null
# A few differences: 3 added, 3 removed (put back afterwards), 3 changed.
mapfile -t changed < <(find "$tree/top00" -type f -name '*.txt' | head -6)
mkdir "$work/kept"
i=0
for f in "${changed[@]}"; do
  cp -p "$f" "$work/kept/$i"
  if ((i < 3)); then rm "$f"; else echo more >>"$f"; fi
  i=$((i + 1))
done
touch "$tree/top00/added1.txt" "$tree/top01/added2.txt" "$tree/top02/added3.txt"
for ((r = 0; r < rounds; r++)); do
  measure csv "$vek" /I "$tree" /O "$work/out" /T CSV /F bench /C /E '*'
  measure json "$vek" /I "$tree" /O "$work/out" /T JSON /F bench /C /E '*'
  measure compare "$vek" /V "$work/out/saved.json" /I "$tree" /C /E '*'
done
i=0
for f in "${changed[@]}"; do
  cp -p "$work/kept/$i" "$f"
  i=$((i + 1))
done
rm -f "$tree/top00/added1.txt" "$tree/top01/added2.txt" "$tree/top02/added3.txt"
report csv ratio csv json compare
