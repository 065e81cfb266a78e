#!/usr/bin/env bash
# The list formats side by side: a 1,000,000-row list written as today's CSV, as CP932 and
# UTF-8-with-mark CSV and as an Excel workbook, each run in its own process, the formats
# interleaved (the machine is shared), N rounds; prints the median time and peak memory rise of
# each. Usage: bench/listformats_bench.sh [build folder] [rounds]
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
base = statistics.median(float(t) for f, t, m in rows if f == 'csv')
print('| format | median time | × CSV | median peak memory rise |')
print('|---|---|---|---|')
for fmt in ('csv', 'cp932', 'utf8bom', 'xlsx'):
    times = [float(t) for f, t, m in rows if f == fmt]
    mems = [float(m) for f, t, m in rows if f == fmt]
    print('| %s | %.2f s | %.2f | %.1f MB |' % (fmt, statistics.median(times),
          statistics.median(times) / base, statistics.median(mems)))
PY
rm -f "$results"
