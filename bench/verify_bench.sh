#!/usr/bin/env bash
# /V with /M SHA256 of the 200,000-file tree against its saved JSON list, for two executables
# side by side (a build before a change and one after it): the runs interleaved (the machine is
# shared), N rounds, the median wall time and peak resident memory of each (/usr/bin/time).
# Usage: bench/verify_bench.sh before-vek after-vek [rounds] [tree]
#        (default 5 rounds, /tmp/vek-bench-tree made by bench/make_tree.py when missing)
set -euo pipefail
cd "$(dirname "$0")/.."
before=$(realpath "$1")
after=$(realpath "$2")
rounds=${3:-5}
tree=${4:-/tmp/vek-bench-tree}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
[ -d "$tree" ] || python3 bench/make_tree.py "$tree"
export VEK_HOME=$work/home
mkdir -p "$VEK_HOME" "$work/out"
"$after" /I "$tree" /O "$work/out" /T JSON /F saved /C /E '*' /M SHA256 2>/dev/null
measure() {  # name, then the command; 0 (nothing differs) is the only status expected
  local name=$1
  shift
  /usr/bin/time -f '%e %M' -o "$work/time" "$@" >/dev/null 2>"$work/err"
  echo "$name $(tail -1 "$work/time")" >>"$work/results"
}
for ((r = 0; r < rounds; r++)); do
  measure before "$before" /V "$work/out/saved.json" /I "$tree" /C /E '*' /M SHA256
  measure after "$after" /V "$work/out/saved.json" /I "$tree" /C /E '*' /M SHA256
done
python3 - "$work/results" <<'PY'
import statistics, sys
rows = [line.split() for line in open(sys.argv[1])]
def med(name, column):
    return statistics.median(float(r[column]) for r in rows if r[0] == name)
print('| build | median wall | × before | median peak RSS |')
print('|---|---|---|---|')
for name in ('before', 'after'):
    t, m = med(name, 1), med(name, 2)
    print('| %s | %.2f s | %.2f | %d MB |' % (name, t, t / med('before', 1), m / 1024))
PY
