#!/usr/bin/env bash
# JSON lists and /V comparisons against the plain CSV run, side by side over the 1,000,000-file
# tree: the runs interleaved (the machine is shared), N rounds, median wall time and peak
# resident memory of each (/usr/bin/time -v). Before the comparison rounds the tree gets a few
# files added, removed and changed, so the comparison has differences to report.
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
measure() {  # name, then the command
  local name=$1
  shift
  /usr/bin/time -f '%e %M' -o "$work/time" "$@" >/dev/null 2>"$work/err" || [ $? -eq 4 ]
  echo "$name $(tail -1 "$work/time")" >>"$results"
}
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
python3 - "$results" <<'PY'
import statistics, sys
rows = [line.split() for line in open(sys.argv[1])]
def med(name, column):
    return statistics.median(float(r[column]) for r in rows if r[0] == name)
base_t, base_m = med('csv', 1), med('csv', 2)
print('| run | median wall | × CSV | median peak RSS | × CSV |')
print('|---|---|---|---|---|')
for name in ('csv', 'json', 'compare'):
    t, m = med(name, 1), med(name, 2)
    print('| %s | %.2f s | %.2f | %d MB | %.2f |' % (name, t, t / base_t, m / 1024, m / base_m))
PY
