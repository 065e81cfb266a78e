#!/usr/bin/env bash
# The list formats side by side: a 1,000,000-row list written as today's CSV, as CP932 and
# UTF-8-with-mark CSV and as an Excel workbook, each run in its own process, the formats
# interleaved (the machine is shared), N rounds; prints the median time, peak memory rise and
# processor time (all threads, and the calling thread alone) of each. A third argument names
# the benchmark executable of an earlier build, whose workbook write joins the rounds as
# "xlsx-before". Usage: bench/listformats_bench.sh [build folder] [rounds] [earlier executable]
set -euo pipefail
build=${1:-build}
rounds=${2:-5}
before=${3:-}
exe=$build/bench/listformats_bench
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
results=$(mktemp)
uptime
for ((r = 0; r < rounds; r++)); do
  for format in csv cp932 utf8bom xlsx; do
    "$exe" "$format" "$out" >>"$results"
  done
  if [[ -n $before ]]; then
    "$before" xlsx "$out" | sed 's/^xlsx /xlsx-before /' >>"$results"
  fi
done
uptime
python3 - "$results" <<'PY'
import statistics, sys
rows = [line.split() for line in open(sys.argv[1])]
base = statistics.median(float(r[1]) for r in rows if r[0] == 'csv')
cpu_base = statistics.median(float(r[3]) for r in rows if r[0] == 'csv')
print('| format | median time | × CSV | median peak memory rise | median processor time | × CSV '
      '| calling thread |')
print('|---|---|---|---|---|---|---|')
for fmt in ('csv', 'cp932', 'utf8bom', 'xlsx', 'xlsx-before'):
    mine = [r for r in rows if r[0] == fmt]
    if not mine:
        continue
    times = statistics.median(float(r[1]) for r in mine)
    mems = statistics.median(float(r[2]) for r in mine)
    cpus = statistics.median(float(r[3]) for r in mine)
    own = [float(r[4]) for r in mine if len(r) > 4]
    own_text = '%.2f s' % statistics.median(own) if own else '—'
    print('| %s | %.2f s | %.2f | %.1f MB | %.2f s | %.2f | %s |' % (fmt, times, times / base,
          mems, cpus, cpus / cpu_base, own_text))
PY
rm -f "$results"
