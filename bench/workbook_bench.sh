#!/usr/bin/env bash
# The batch run's workbook against its CSV, end to end over the 1,000,000-file tree: the runs
# interleaved (the machine is shared), N rounds, the median wall time and peak resident memory of
# each (/usr/bin/time, through bench/measure.sh). The workbook's time includes its read-back. The
# lists go to /dev/shm, so the disk's speed is not measured.
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
source bench/measure.sh
for ((r = 0; r < rounds; r++)); do
  measure csv "$vek" /I "$tree" /O "$work/out" /T CSV /F bench /C /E '*'
  measure xlsx "$vek" /I "$tree" /O "$work/out" /T XLSX /F bench /C /E '*'
done
ls -l "$work/out" >&2
report csv difference csv xlsx
