#!/usr/bin/env bash
# A folder left out is not read: the batch CSV of a project tree whose .git holds 60 % of the
# files, with and without /X .git, side by side (hyperfine), then the system calls of each run
# counted by strace -c -f (statx, the directory reads and opens). The run with /X must list
# exactly the rows of the plain run outside .git.
# Usage: bench/exclude_bench.sh [vek executable]   (the tree is made under /tmp when missing:
# 80,000 files in the work tree, 120,000 under .git, left there for the next run)
set -euo pipefail
cd "$(dirname "$0")/.."
vek=$(realpath "${1:-build-release/src/app/vek}")
tree=/tmp/vek-bench-exclude
if [ ! -d "$tree" ]; then
  python3 bench/make_tree.py "$tree/work" 4
  python3 bench/make_tree.py "$tree/.git/objects" 6
fi
work=$(mktemp -d)
out=$(mktemp -d /dev/shm/vek-exclude.XXXXXX)
trap 'rm -rf "$work" "$out"' EXIT
export VEK_HOME=$work/home TZ=:/etc/localtime
mkdir -p "$VEK_HOME"
echo "files in the tree: $(find "$tree" -type f | wc -l), under .git: $(find "$tree/.git" -type f | wc -l)"
uptime
hyperfine --warmup 1 --runs 8 \
  "$vek /I $tree /O $out /T CSV /F all /C" \
  "$vek /I $tree /O $out /T CSV /F excluded /C /X .git"
uptime
grep -v "^$tree/\.git[/,]" "$out/all.csv" | cmp - "$out/excluded.csv" &&
  echo "the /X list is the plain list without the rows under .git"
for run in "all:" "excluded:/X .git"; do
  name=${run%%:*}
  # shellcheck disable=SC2086
  strace -c -f -e trace=statx,newfstatat,openat,getdents64 -o "$out/$name.strace" \
    "$vek" /I "$tree" /O "$out" /T CSV /F "$name" /C ${run#*:}
  echo "== $name: system calls"
  sed -n '1,2p;/statx\|newfstatat\|openat\|getdents64\|total/p' "$out/$name.strace"
done
