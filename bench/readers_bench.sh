#!/usr/bin/env bash
# /V of a 1,000,000-row JSON list against its tree, with two builds side by side (before and
# after a change of the list readers), beside the plain CSV run of the same tree: the runs
# interleaved (the machine is shared), N rounds, median wall time and peak resident memory of
# each (/usr/bin/time -v's "Maximum resident set size").
# Usage: bench/readers_bench.sh BEFORE-vek AFTER-vek [rounds]   (default 2 rounds)
set -euo pipefail
cd "$(dirname "$0")/.."
before=$(realpath "$1")
after=$(realpath "$2")
rounds=${3:-2}
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
  /usr/bin/time -v -o "$work/time" "$@" >/dev/null 2>"$work/err" || [ $? -eq 4 ]
  local wall rss
  wall=$(awk -F': ' '/Elapsed \(wall clock\)/ {n = split($2, p, ":"); s = 0;
         for (i = 1; i <= n; i++) s = s * 60 + p[i]; print s}' "$work/time")
  rss=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$work/time")
  echo "$name $wall $rss" >>"$results"
}
"$after" /I "$tree" /O "$work/out" /T JSON /F saved /C /E '*' 2>/dev/null
for ((r = 0; r < rounds; r++)); do
  measure csv "$after" /I "$tree" /O "$work/out" /T CSV /F bench /C /E '*'
  measure before "$before" /V "$work/out/saved.json" /I "$tree" /C /E '*'
  measure after "$after" /V "$work/out/saved.json" /I "$tree" /C /E '*'
done
python3 - "$results" <<'PY'
import statistics, sys
rows = [line.split() for line in open(sys.argv[1])]
def med(name, column):
    return statistics.median(float(r[column]) for r in rows if r[0] == name)
base_t, base_m = med('csv', 1), med('csv', 2)
print('| run | median wall | × CSV | median peak RSS | × CSV |')
print('|---|---|---|---|---|')
for name in ('csv', 'before', 'after'):
    t, m = med(name, 1), med(name, 2)
    print('| %s | %.2f s | %.2f | %d MB | %.2f |' % (name, t, t / base_t, m / 1024, m / base_m))
PY
