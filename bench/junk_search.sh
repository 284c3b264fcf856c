#!/usr/bin/env bash
# The junk search with the Default rows over 100,000 files in 5,051 folders plus 5,000 junk files,
# against a bare walk with the search's own listing call (same run, under Wine); also the walk
# that tests each entry with SetCurrentDirectoryW, for the record.
# Usage: bench/junk_search.sh [rounds]   (SCOURWELL_BUILD picks the build folder)
set -euo pipefail
source "$(dirname "$0")/../scripts/common.sh"

BUILD=${SCOURWELL_BUILD:-$SCOURWELL_ROOT/build}
ensure_prefix "$BUILD/x86_64"
cmake --build "$BUILD/x86_64" --target bench_junk_search >/dev/null
trap stop_wineserver EXIT
start_wineserver
"$BUILD/x86_64/wine-run.sh" "$WINEPREFIX/drive_c/scourwell/bin/bench_junk_search.exe" 'C:\scourwell-bench-junk\' "${1:-5}" </dev/null
