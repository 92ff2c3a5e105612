#!/usr/bin/env bash
# CopySectors against dd bs=64K and dd bs=1M, copying the same 1 GiB source in the same run.
# The source is a loop device over a 1 GiB file where loop devices can be attached (root),
# else the file itself. The page cache is dropped before every copy where that is allowed, so
# each one reads from the disk. Prints each time and the ratios of dd's times to ours (above
# 1: CopySectors is faster).
set -euo pipefail
BUILD="${ORVALIS_BUILD:-$(cd "$(dirname "$0")/../.." && pwd)/build}"
BENCH="$BUILD/bench/imaging_copy_bench"
[ -x "$BENCH" ] || { echo "imaging: build the target imaging_copy_bench first ($BENCH)"; exit 1; }
WORK="${ORVALIS_BENCH_DIR:-$(mktemp -d /var/tmp/orvalis-imaging-bench.XXXXXX)}"
ROUNDS="${ROUNDS:-3}"
LOOP=""
cleanup() {
  [ -n "$LOOP" ] && losetup -d "$LOOP" 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT

head -c 1G /dev/urandom > "$WORK/source.bin"
SOURCE="$WORK/source.bin"
if [ "$(id -u)" -eq 0 ] && LOOP=$(losetup -f --show "$SOURCE" 2>/dev/null); then
  SOURCE="$LOOP"
fi

drop_cache() {
  sync
  if [ -w /proc/sys/vm/drop_caches ]; then echo 3 > /proc/sys/vm/drop_caches 2>/dev/null || true; fi
}
if [ -w /proc/sys/vm/drop_caches ]; then CACHE="dropped before each copy"; else CACHE="not dropped (not allowed)"; fi

seconds() {  # runs a command, prints its wall-clock seconds
  local start end
  start=$(date +%s.%N)
  "$@" >/dev/null
  end=$(date +%s.%N)
  awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", b - a }' 
}

ours=() dd64=() dd1m=()
for round in $(seq "$ROUNDS"); do
  drop_cache; ours+=("$("$BENCH" "$SOURCE" "$WORK/ours.img")"); rm -f "$WORK/ours.img"
  drop_cache; dd64+=("$(seconds dd if="$SOURCE" of="$WORK/dd64.img" bs=64K status=none)"); rm -f "$WORK/dd64.img"
  drop_cache; dd1m+=("$(seconds dd if="$SOURCE" of="$WORK/dd1m.img" bs=1M status=none)"); rm -f "$WORK/dd1m.img"
done

best() { printf '%s\n' "$@" | sort -g | head -1; }
o=$(best "${ours[@]}"); a=$(best "${dd64[@]}"); b=$(best "${dd1m[@]}")
echo "source: $SOURCE (1 GiB), page cache $CACHE, best of $ROUNDS rounds"
awk -v o="$o" -v a="$a" -v b="$b" 'BEGIN {
  printf "  CopySectors (64 KiB pieces) %8.3f s  %7.1f MiB/s\n", o, 1024 / o
  printf "  dd bs=64K                   %8.3f s  %7.1f MiB/s\n", a, 1024 / a
  printf "  dd bs=1M                    %8.3f s  %7.1f MiB/s\n", b, 1024 / b
  printf "  ratio dd bs=64K / CopySectors: %.2f\n", a / o
  printf "  ratio dd bs=1M  / CopySectors: %.2f\n", b / o
}'
