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
results=$work/results
"$after" /I "$tree" /O "$work/out" /T JSON /F saved /C /E '*' /M SHA256 2>/dev/null
source bench/measure.sh
for ((r = 0; r < rounds; r++)); do
  measure before "$before" /V "$work/out/saved.json" /I "$tree" /C /E '*' /M SHA256
  measure after "$after" /V "$work/out/saved.json" /I "$tree" /C /E '*' /M SHA256
done
report before ratio before after
