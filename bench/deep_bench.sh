#!/usr/bin/env bash
# The batch CSV of a very deep tree (one chain of folders, a file every 1,000 levels) side by
# side with find printing the same fields; then the peak memory of the run, and, when a second
# vek is given, whether both write the same bytes.
# Usage: bench/deep_bench.sh [vek executable] [levels] [vek to compare with]
# (default 30,000 levels; the tree is made under /tmp when missing and left for the next run)
set -euo pipefail
cd "$(dirname "$0")/.."
vek=$(realpath "${1:-build-release/src/app/vek}")
levels=${2:-30000}
other=${3:-}
tree=/tmp/vek-deep-tree-$levels
[ -d "$tree" ] || python3 bench/make_deep_tree.py "$tree" "$levels"
work=$(mktemp -d)
out=$(mktemp -d /dev/shm/vek-deep.XXXXXX)
trap 'rm -rf "$work" "$out"' EXIT
export VEK_HOME=$work/home TZ=:/etc/localtime
mkdir -p "$VEK_HOME"
uptime
hyperfine --warmup 1 --runs 5 \
  "find $tree -type f ! -name '.*' -printf '%h/,%f,%s,%BY/%Bm/%Bd %BH:%BM:%.2BS\n' > $out/find.csv" \
  "$vek /I $tree /O $out /T CSV /F deep /C"
uptime
/usr/bin/time -v "$vek" /I "$tree" /O "$out" /T CSV /F peak /C 2>&1 |
  grep -E 'Maximum resident|Elapsed'
echo "rows: $(($(wc -l < "$out/peak.csv") - 1)), bytes: $(wc -c < "$out/peak.csv")"
if [ -n "$other" ]; then
  "$other" /I "$tree" /O "$out" /T CSV /F other /C
  cmp "$out/peak.csv" "$out/other.csv" && echo "the same bytes as $other"
fi
