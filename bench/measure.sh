# Sourced by the benchmarks that time whole runs interleaved (the machine is shared) and report
# medians against one of them. They set $work (a scratch folder) and $results (a file) first.
#   measure NAME COMMAND...   runs the command, output discarded, and appends NAME, its wall
#                             seconds and its peak resident KB to $results. Exit status 0 is
#                             expected, and those listed in $also_accepted (e.g. "4").
#   report BASE MEMORY NAME...  the median of each NAME as a table row against BASE's; MEMORY
#                             is "ratio" (× BASE) or "difference" (MB more than BASE).

measure() {
  local name=$1 status=0
  shift
  /usr/bin/time -f '%e %M' -o "$work/time" "$@" >/dev/null 2>"$work/err" || status=$?
  if [[ " 0 ${also_accepted:-} " != *" $status "* ]]; then
    echo "$name: exit status $status" >&2
    cat "$work/err" >&2
    return 1
  fi
  echo "$name $(tail -1 "$work/time")" >>"$results"
}

report() {
  python3 - "$results" "$@" <<'PY'
import statistics, sys
results, base, memory, names = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4:]
rows = [line.split() for line in open(results)]
def med(name, column):
    return statistics.median(float(r[column]) for r in rows if r[0] == name)
base_t, base_m = med(base, 1), med(base, 2)
last = '× ' + base if memory == 'ratio' else '− ' + base
print('| run | median wall | × %s | median peak RSS | %s |' % (base, last))
print('|---|---|---|---|---|')
for name in names:
    t, m = med(name, 1), med(name, 2)
    against = '%.2f' % (m / base_m) if memory == 'ratio' else '%+d MB' % ((m - base_m) / 1024)
    print('| %s | %.2f s | %.2f | %d MB | %s |' % (name, t, t / base_t, m / 1024, against))
PY
}
