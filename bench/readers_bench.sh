#!/usr/bin/env bash
# /V of a 1,000,000-row JSON list against its tree, with two builds side by side (before and
# after a change of the list readers), beside the plain CSV run of the same tree: the runs
# interleaved (the machine is shared), N rounds, median wall time and peak resident memory of
# each (/usr/bin/time, through bench/measure.sh).
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
source bench/measure.sh
also_accepted="4"
"$after" /I "$tree" /O "$work/out" /T JSON /F saved /C /E '*' 2>/dev/null
for ((r = 0; r < rounds; r++)); do
  measure csv "$after" /I "$tree" /O "$work/out" /T CSV /F bench /C /E '*'
  measure before "$before" /V "$work/out/saved.json" /I "$tree" /C /E '*'
  measure after "$after" /V "$work/out/saved.json" /I "$tree" /C /E '*'
done
report csv ratio csv before after
