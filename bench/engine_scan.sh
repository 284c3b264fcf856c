#!/usr/bin/env bash
# Kind-10 scan of 100,000 files in 5,051 folders against a bare FindFirstFileW walk (same run,
# under Wine) and against native find over the same tree. Prints seconds and ratios.
# Usage: bench/engine_scan.sh [rounds]   (SCOURWELL_BUILD picks the build folder)
set -euo pipefail
source "$(dirname "$0")/../scripts/common.sh"

ROUNDS=${1:-5}
BUILD=${SCOURWELL_BUILD:-$SCOURWELL_ROOT/build}
ensure_prefix "$BUILD/x86_64"
cmake --build "$BUILD/x86_64" --target bench_engine_scan >/dev/null 2>&1

trap stop_wineserver EXIT
start_wineserver
out=$("$BUILD/x86_64/wine-run.sh" "$WINEPREFIX/drive_c/scourwell/bin/bench_engine_scan.exe" 'C:\scourwell-bench\' "$ROUNDS" </dev/null)
echo "$out"

tree="$WINEPREFIX/drive_c/scourwell-bench/tree"
times=()
for _ in $(seq "$ROUNDS"); do
  start=$(date +%s.%N)
  find "$tree" -type f | wc -l >/dev/null
  end=$(date +%s.%N)
  times+=("$(echo "$end - $start" | bc -l)")
done
find_s=$(printf '%s\n' "${times[@]}" | sort -g | sed -n "$(( (ROUNDS + 1) / 2 ))p")
scan_s=$(echo "$out" | sed -n 's/^kind-10 scan: *\([0-9.]*\) s.*/\1/p')
bare_s=$(echo "$out" | sed -n 's/^bare FindFirstFileW walk: *\([0-9.]*\) s.*/\1/p')
printf 'native find:              %.3f s (median of %d)\n' "$find_s" "$ROUNDS"
printf 'scan / native find:       %.2fx\n' "$(echo "$scan_s / $find_s" | bc -l)"
printf 'bare walk / native find:  %.2fx\n' "$(echo "$bare_s / $find_s" | bc -l)"
