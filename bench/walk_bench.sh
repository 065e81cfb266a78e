#!/usr/bin/env bash
# The batch CSV of a whole tree side by side with find printing the same fields (folder, name,
# size, birth time), TZ set for both, each writing its output to a file in /dev/shm so that
# neither waits for a disk; then the peak memory of the run. Thread counts 1 and the machine's
# default (VEK_THREADS pins the count); the outputs of all counts must be the same bytes.
# Usage: bench/walk_bench.sh [vek executable] [tops]   (tops 10: 200,000 files; 50: 1,000,000,
# made under /tmp when missing and left there for the next run)
set -euo pipefail
cd "$(dirname "$0")/.."
vek=$(realpath "${1:-build-release/src/app/vek}")
tops=${2:-10}
tree=/tmp/vek-bench-tree
[ "$tops" = 10 ] || tree=/tmp/vek-bench-tree-$tops
[ -d "$tree" ] || python3 bench/make_tree.py "$tree" "$tops"
work=$(mktemp -d)
out=$(mktemp -d /dev/shm/vek-walk.XXXXXX)
trap 'rm -rf "$work" "$out"' EXIT
export VEK_HOME=$work/home TZ=:/etc/localtime
mkdir -p "$VEK_HOME"
uptime
hyperfine --warmup 1 --runs 8 \
  "find $tree -type f ! -name '.*' -printf '%h/,%f,%s,%BY/%Bm/%Bd %BH:%BM:%.2BS\n' > $out/find.csv" \
  "VEK_THREADS=1 $vek /I $tree /O $out /T CSV /F t1 /C" \
  "$vek /I $tree /O $out /T CSV /F tn /C"
uptime
cmp "$out/t1.csv" "$out/tn.csv" && echo "outputs identical"
/usr/bin/time -v "$vek" /I "$tree" /O "$out" /T CSV /F peak /C 2>&1 | grep -E 'Maximum resident|Elapsed'
