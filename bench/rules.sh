#!/usr/bin/env bash
# Rule files: the console's "rules" with 4,000 synthetic entries against "items" and against no
# rule file, and a rule entry's scan over the benchmark tree against a bare walk (same run, under Wine).
# Usage: bench/rules.sh [rounds]   (SCOURWELL_BUILD picks the build folder)
set -euo pipefail
source "$(dirname "$0")/../scripts/common.sh"

BUILD=${SCOURWELL_BUILD:-$SCOURWELL_ROOT/build}
ensure_prefix "$BUILD/x86_64"
cmake --build "$BUILD/x86_64" --target bench_rules_load bench_rules_scan scourwell-cli >/dev/null
trap stop_wineserver EXIT
start_wineserver
BIN="$WINEPREFIX/drive_c/scourwell/bin"
"$BUILD/x86_64/wine-run.sh" "$BIN/bench_rules_load.exe" 'C:\scourwell-bench-rules\' "${1:-5}" </dev/null
"$BUILD/x86_64/wine-run.sh" "$BIN/bench_rules_scan.exe" 'C:\scourwell-bench\' "${1:-5}" </dev/null
