#!/usr/bin/env bash
# The walk over a slow share: a 20,000-file tree (bench/make_tree.py, one top folder) shown
# through bench/slow_passthrough.cpp (vek_slowfs), which waits 1 ms before every lookup,
# getattr and readdir with the kernel's caches off, mounted over the tree itself so that
# every path stays the same. find printing the same fields and the batch CSV run side by side
# (hyperfine, medians), the CSV of vek with its readers pinned to the cores (VEK_THREADS, as
# before readers were added) among them; then the CSV made over the share is compared with
# the one made on the disk before the mount. The mount is always undone (trap).
# Needs root (or fuse permissions), /dev/fuse and the benchmarks built:
#   cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DVEK_BUILD_BENCH=ON
#   cmake --build build-release --target vek vek_slowfs
# Usage: bench/slowshare_bench.sh [build folder] [runs] [delay ms]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build-release}")
runs=${2:-3}
delayMs=${3:-1}
vek=$build/src/app/vek
slowfs=$build/bench/vek_slowfs
tree=/tmp/vek-slow-tree
[ -d "$tree" ] || python3 bench/make_tree.py "$tree" 1
work=$(mktemp -d)
out=$(mktemp -d /dev/shm/vek-slow.XXXXXX)
daemon=
unmount() {
  if mountpoint -q "$tree"; then fusermount3 -u "$tree" 2>/dev/null || umount -l "$tree"; fi
  [ -z "$daemon" ] || wait "$daemon" 2>/dev/null || true
  rm -rf "$work" "$out"
}
trap unmount EXIT
trap 'exit 130' INT TERM
export VEK_HOME=$work/home TZ=:/etc/localtime
mkdir -p "$VEK_HOME"
# A FUSE file system keeps no birth time: the lists compared hold the modification time in
# its place (folder, name, type, size in bytes, modified).
printf '[Csv]\r\nOptSizeType=0\r\nChkMakeDate=0\r\nChkUpdateDate=1\r\n' > "$VEK_HOME/Vek.ini"
fields='%h/,%f,%s,%TY/%Tm/%Td %TH:%TM:%.2TS\n'

"$vek" /I "$tree" /O "$out" /T CSV /F disk /C
find "$tree" -type f ! -name '.*' -printf "$fields" > "$out/find-disk.csv"
echo "on the disk: $(($(wc -l < "$out/disk.csv") - 1)) rows"

"$slowfs" --delay-ms "$delayMs" "$tree" "$tree" &
daemon=$!
for _ in $(seq 100); do
  [ "$(stat -f -c %t "$tree")" = 65735546 ] && break
  sleep 0.1
done
[ "$(stat -f -c %t "$tree")" = 65735546 ] || { echo "the share was not mounted" >&2; exit 1; }
echo "mounted: $(stat -f -c '%T (%t)' "$tree"), ${delayMs} ms per call"

uptime
hyperfine --runs "$runs" --export-json "$work/times.json" \
  "find $tree -type f ! -name '.*' -printf '$fields' > $out/find.csv" \
  "VEK_THREADS=$(nproc) $vek /I $tree /O $out /T CSV /F pinned /C" \
  "$vek /I $tree /O $out /T CSV /F share /C"
uptime
python3 - "$work/times.json" <<'PY'
import json, statistics, sys
results = json.load(open(sys.argv[1]))["results"]
find = statistics.median(results[0]["times"])
for r in results:
    median = statistics.median(r["times"])
    print(f"median {median:8.3f} s  {median / find:5.3f}x find  user {r['user']:.2f} s  "
          f"system {r['system']:.2f} s  {r['command'][:60]}")
PY
cmp "$out/disk.csv" "$out/share.csv" && echo "vek over the share: identical to the disk's list"
cmp "$out/disk.csv" "$out/pinned.csv" && echo "vek pinned over the share: identical too"
cmp "$out/find-disk.csv" "$out/find.csv" && echo "find over the share: identical to the disk's"
