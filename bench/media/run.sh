#!/usr/bin/env bash
# Media benchmarks: a 60-second 640x360 DVD transcode through the tool runner against the same
# command run directly, and the listing of an image with 20,000 entries.
# usage: bench/media/run.sh [BUILD_DIR]   (default: $ORVALIS_BUILD, else build)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "${1:-${ORVALIS_BUILD:-$here/../../build}}" && pwd)"
bench="$build/bench/media_bench"
[ -x "$bench" ] || { echo "run.sh: $bench is missing; build the media_bench target" >&2; exit 1; }

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
export ORVALIS_PROGRAM_FOLDER="$build/bin"
export XDG_DATA_HOME="$scratch/data"

echo "== making a 60 s 640x360 clip"
ffmpeg -nostdin -v error -f lavfi -i testsrc=size=640x360:rate=25:duration=60 \
  -f lavfi -i sine=duration=60 -shortest -c:v mpeg4 -q:v 4 -c:a aac "$scratch/clip.mp4"
mkdir -p "$scratch/work"
"$bench" transcode "$scratch/clip.mp4" "$scratch/work"

echo "== making an image with 20,000 entries"
for d in $(seq -w 0 99); do
  mkdir -p "$scratch/tree/DIR$d"
  (cd "$scratch/tree/DIR$d" && seq -w 0 198 | sed 's/^/FILE/' | xargs touch)
done
genisoimage -quiet -J -r -o "$scratch/big.iso" "$scratch/tree"
"$bench" list "$scratch/big.iso" "DIR42/"
