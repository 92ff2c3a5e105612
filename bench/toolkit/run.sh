#!/usr/bin/env bash
# The toolkit's list and idle figures beside plain Qt widgets, on the offscreen Qt platform.
# IDLE_SECONDS sets the idle span (10 by default).
set -euo pipefail
BUILD="${ORVALIS_BUILD:-$(cd "$(dirname "$0")/../.." && pwd)/build}"
BENCH="$BUILD/bench/toolkit_bench"
[ -x "$BENCH" ] || { echo "toolkit: build the target toolkit_bench first ($BENCH)"; exit 1; }
QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}" "$BENCH" "${IDLE_SECONDS:-10}"
