#!/usr/bin/env bash
# The whole batch run over the 200,000-file tree, one output type at a time: wall time over
# repeated runs (hyperfine) and the peak resident memory of one run (/usr/bin/time -v).
# Usage: bench/batch_bench.sh [vek executable]   (default build/src/app/vek)
set -euo pipefail
cd "$(dirname "$0")/.."
vek=${1:-build/src/app/vek}
tree=/tmp/vek-bench-tree
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
[ -d "$tree" ] || python3 bench/make_tree.py "$tree"
export VEK_HOME=$work/home
mkdir -p "$VEK_HOME" "$work/out"
echo '| type | wall (mean of 5) | user + system | peak RSS | file |'
echo '|---|---|---|---|---|'
for type in CSV TEXT HTML XML; do
  cmd="$vek /I $tree /O $work/out /T $type /F bench /C"
  hyperfine --warmup 1 --runs 5 -N --export-json "$work/$type.json" "$cmd" >/dev/null 2>&1
  rss=$(/usr/bin/time -v $cmd 2>&1 >/dev/null | awk -F': ' '/Maximum resident/ {print $2}')
  size=$(stat -c %s "$work"/out/bench.*)
  times=$(python3 -c 'import json,sys; r=json.load(open(sys.argv[1]))["results"][0]; print("%.2f s ± %.2f | %.2f + %.2f s" % (r["mean"], r["stddev"], r["user"], r["system"]))' "$work/$type.json")
  printf '| %s | %s | %d MB | %d MB |\n' "$type" "$times" $((rss / 1024)) $((size / 1048576))
  rm -f "$work"/out/bench.*
done
