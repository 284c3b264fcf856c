#!/usr/bin/env bash
# Scan through the real sweep page against the engine alone, same tree, same run.
# Usage: bench/sweep_page.sh [rounds]   (SCOURWELL_BUILD picks the build folder)
set -euo pipefail
source "$(dirname "$0")/../scripts/common.sh"

BUILD=${SCOURWELL_BUILD:-$SCOURWELL_ROOT/build}
ensure_prefix "$BUILD/x86_64"
cmake --build "$BUILD/x86_64" --target bench_sweep_page >/dev/null
cleanup() { stop_wineserver; stop_display; }
trap cleanup EXIT
ensure_display
start_wineserver
"$BUILD/x86_64/wine-run.sh" "$WINEPREFIX/drive_c/scourwell/bin/bench_sweep_page.exe" 'C:\scourwell-bench\' "${1:-3}" </dev/null
