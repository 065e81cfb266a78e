#!/usr/bin/env bash
# The batch run's workbook against its CSV, end to end over the 1,000,000-file tree: the runs
# interleaved (the machine is shared), N rounds, the median wall time and peak resident memory
# of each (/usr/bin/time -v). The workbook's time includes its read-back. The lists go to
# /dev/shm, so the disk's speed is not measured.
# Usage: bench/workbook_bench.sh [vek executable] [rounds] [tree]
#        (default build-release/src/app/vek, 5, /tmp/vek-bench-tree-50; the tree is made by
#        bench/make_tree.py with 50 tops when missing)
set -euo pipefail
cd "$(dirname "$0")/.."
vek=$(realpath "${1:-build-release/src/app/vek}")
rounds=${2:-5}
tree=${3:-/tmp/vek-bench-tree-50}
[ -d "$tree" ] || python3 bench/make_tree.py "$tree" 50
work=$(mktemp -d /dev/shm/vek-workbook-bench.XXXXXX)
trap 'rm -rf "$work"' EXIT
export VEK_HOME=$work/home
mkdir -p "$VEK_HOME" "$work/out"
results=$work/results
measure() {  # name, then the command
  local name=$1
  shift
  /usr/bin/time -v -o "$work/time" "$@" >/dev/null 2>"$work/err"
  local wall rss
  wall=$(awk -F': ' '/Elapsed \(wall clock\)/ {n = split($2, p, ":"); s = 0;
                      for (i = 1; i <= n; i++) s = s * 60 + p[i]; print s}' "$work/time")
  rss=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$work/time")
  echo "$name $wall $rss" >>"$results"
}
for ((r = 0; r < rounds; r++)); do
  measure csv "$vek" /I "$tree" /O "$work/out" /T CSV /F bench /C /E '*'
  measure xlsx "$vek" /I "$tree" /O "$work/out" /T XLSX /F bench /C /E '*'
done
ls -l "$work/out" >&2
python3 - "$results" <<'PY'
import statistics, sys
rows = [line.split() for line in open(sys.argv[1])]
def med(name, column):
    return statistics.median(float(r[column]) for r in rows if r[0] == name)
base_t, base_m = med('csv', 1), med('csv', 2)
print('| run | median wall | × CSV | median peak RSS | − CSV |')
print('|---|---|---|---|---|')
for name in ('csv', 'xlsx'):
    t, m = med(name, 1), med(name, 2)
    print('| %s | %.2f s | %.2f | %d MB | %+d MB |' % (name, t, t / base_t, m / 1024,
                                                   (m - base_m) / 1024))
PY
