#!/usr/bin/env bash
# The list formats side by side: a 1,000,000-row list written as today's CSV, as CP932 and
# UTF-8-with-mark CSV and as an Excel workbook, each run in its own process, the formats
# interleaved (the machine is shared), N rounds; prints the median time, peak memory rise and
# processor time (all threads) of each. Usage: bench/listformats_bench.sh [build folder] [rounds]
set -euo pipefail
build=${1:-build}
rounds=${2:-5}
exe=$build/bench/listformats_bench
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
results=$(mktemp)
for ((r = 0; r < rounds; r++)); do
  for format in csv cp932 utf8bom xlsx; do
    "$exe" "$format" "$out" >>"$results"
  done
done
python3 - "$results" <<'PY'
import statistics, sys
rows = [line.split() for line in open(sys.argv[1])]
base = statistics.median(float(r[1]) for r in rows if r[0] == 'csv')
cpu_base = statistics.median(float(r[3]) for r in rows if r[0] == 'csv')
print('| format | median time | × CSV | median peak memory rise | median processor time | × CSV |')
print('|---|---|---|---|---|---|')
for fmt in ('csv', 'cp932', 'utf8bom', 'xlsx'):
    times = statistics.median(float(r[1]) for r in rows if r[0] == fmt)
    mems = statistics.median(float(r[2]) for r in rows if r[0] == fmt)
    cpus = statistics.median(float(r[3]) for r in rows if r[0] == fmt)
    print('| %s | %.2f s | %.2f | %.1f MB | %.2f s | %.2f |' % (fmt, times, times / base, mems,
          cpus, cpus / cpu_base))
PY
rm -f "$results"
