#!/usr/bin/env bash
# Times the image of a 2 GiB tree of mixed files (a few large, many small) written through
# the image stream in 64 KiB pieces, against genisoimage -J -udf, xorriso -as mkisofs -J,
# reading the tree alone (cat to /dev/null) and writing as many zero bytes alone (dd), all in
# the same run, with the page cache warm and cold. Every writer's time includes flushing its
# output to disk.
#
#   bench/fsimage/run.sh [BUILD-FOLDER] [WORK-FOLDER]
#
# BUILD-FOLDER holds bench/fsimage_bench (default: build); WORK-FOLDER needs about 9 GiB
# (default: a new folder under /var/tmp). Everything made is removed at the end.
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
build="${1:-$root/build}"
bench="$build/bench/fsimage_bench"
[ -x "$bench" ] || { echo "no $bench: build the fsimage_bench target first" >&2; exit 2; }
for tool in genisoimage xorriso python3; do
  command -v "$tool" >/dev/null || { echo "$tool is missing" >&2; exit 2; }
done

work="${2:-$(mktemp -d /var/tmp/orvalis-fsimage-bench.XXXXXX)}"
mkdir -p "$work"
trap 'rm -rf "$work"' EXIT
need_kib=$((9 * 1024 * 1024))
have_kib=$(df -Pk "$work" | awk 'NR==2 {print $4}')
if [ "$have_kib" -lt "$need_kib" ]; then
  echo "only $((have_kib / 1024)) MiB free in $work; 9 GiB are needed" >&2
  exit 2
fi

tree="$work/tree"
echo "making the tree in $tree"
python3 - "$tree" <<'PY'
import os, random, sys
root = sys.argv[1]
rng = random.Random(2026)
chunk = os.urandom(1 << 20)
def write(path, size):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        left = size
        while left > 0:
            n = min(left, len(chunk))
            start = rng.randrange(0, len(chunk) - n + 1)
            f.write(chunk[start:start + n])
            left -= n
total = 0
# A few large files: 1 GiB in all.
for i in range(4):
    write(f"{root}/video/part{i}.bin", 256 << 20)
    total += 256 << 20
# Many small ones in a few hundred folders: the other GiB.
i = 0
target = 2 << 30
while total < target:
    size = min(int(rng.lognormvariate(10.3, 1.2)), 4 << 20, target - total)
    write(f"{root}/docs/d{i % 300:03d}/sub{i % 7}/file{i:05d}.dat", size)
    total += size
    i += 1
print(f"{i + 4} files, {total} bytes")
PY

out="$work/image.iso"
evict() {
  # No root needed: flushed pages are dropped file by file.
  sync
  find "$tree" -type f -exec dd if={} iflag=nocache count=0 status=none \;
}
warm() { find "$tree" -type f -print0 | xargs -0 cat > /dev/null; }
drop_note="page cache dropped per file with POSIX_FADV_DONTNEED (dd iflag=nocache)"
if (sync && echo 3 > /proc/sys/vm/drop_caches) 2>/dev/null; then
  evict() { sync; echo 3 > /proc/sys/vm/drop_caches; }
  drop_note="page cache dropped with /proc/sys/vm/drop_caches"
fi

# seconds of one command, output flushed and removed afterwards
timed() {
  local start end
  start=$(date +%s.%N)
  "$@" > /dev/null 2>&1
  [ -e "$out" ] && sync "$out"
  end=$(date +%s.%N)
  rm -f "$out"
  awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", b - a }'
}

run_cat() { find "$tree" -type f -print0 | xargs -0 cat > /dev/null; }
# Writing as many bytes as the image holds, from nothing: what the disk alone costs.
run_write() { dd if=/dev/zero of="$out" bs=64K count=$((image_bytes / 65536)) status=none; }
run_ours() { "$bench" "$tree" "$out" 7; }
run_geniso() { genisoimage -quiet -J -udf -o "$out" "$tree"; }
run_xorriso() { xorriso -as mkisofs -quiet -J -o "$out" "$tree"; }

declare -A best
measure() {
  local mode=$1 name=$2 t
  for rep in 1 2 3; do
    if [ "$mode" = cold ]; then evict; else warm; fi
    t=$(timed "run_$name")
    if [ -z "${best[$mode.$name]:-}" ] || awk -v t="$t" -v b="${best[$mode.$name]}" 'BEGIN { exit !(t < b) }'; then
      best[$mode.$name]=$t
    fi
  done
}

"$bench" "$tree" "$out" 7 > /dev/null
image_bytes=$(stat -c %s "$out")
rm -f "$out"

for mode in warm cold; do
  for name in cat write ours geniso xorriso; do
    measure "$mode" "$name"
  done
done

echo
echo "cold runs: $drop_note"
echo "best of 3; every writer's time includes flushing its image to disk"
printf "%-6s %9s %9s %9s %12s %9s   %s\n" mode cat write ours genisoimage xorriso \
  "ours/genisoimage ours/xorriso ours/cat ours/write"
for mode in warm cold; do
  c=${best[$mode.cat]} w=${best[$mode.write]} o=${best[$mode.ours]} g=${best[$mode.geniso]} x=${best[$mode.xorriso]}
  awk -v m="$mode" -v c="$c" -v w="$w" -v o="$o" -v g="$g" -v x="$x" 'BEGIN {
    printf "%-6s %8.2fs %8.2fs %8.2fs %11.2fs %8.2fs   %.2f %.2f %.2f %.2f\n", m, c, w, o, g, x, o / g, o / x, o / c, o / w }'
done
