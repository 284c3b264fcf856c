#!/usr/bin/env bash
# One shred pass over a 1 GiB file against a bare WriteFile loop with the same 64 KiB block and
# one flush (same run, under Wine), and against native dd with conv=fsync over the same file;
# then 3 and 7 passes. Prints seconds and ratios.
# Usage: bench/shred_passes.sh [MiB] [rounds]   (SCOURWELL_BUILD picks the build folder)
set -euo pipefail
source "$(dirname "$0")/../scripts/common.sh"

MIB=${1:-1024}
ROUNDS=${2:-3}
BUILD=${SCOURWELL_BUILD:-$SCOURWELL_ROOT/build}
ensure_prefix "$BUILD/x86_64"
cmake --build "$BUILD/x86_64" --target bench_shred_passes >/dev/null 2>&1

trap stop_wineserver EXIT
start_wineserver
out=$("$BUILD/x86_64/wine-run.sh" "$WINEPREFIX/drive_c/scourwell/bin/bench_shred_passes.exe" 'C:\scourwell-bench\' "$MIB" "$ROUNDS" </dev/null)
echo "$out"

file="$WINEPREFIX/drive_c/scourwell-bench/shred.bin"
times=()
for _ in $(seq "$ROUNDS"); do
  start=$(date +%s.%N)
  dd if=/dev/zero of="$file" bs=64K count=$((MIB * 16)) conv=notrunc,fsync status=none
  end=$(date +%s.%N)
  times+=("$(echo "$end - $start" | bc -l)")
done
rm -f "$file"
dd_s=$(printf '%s\n' "${times[@]}" | sort -g | sed -n "$(( (ROUNDS + 1) / 2 ))p")
one_s=$(echo "$out" | sed -n 's/^shred 1 pass: *\([0-9.]*\) s.*/\1/p')
printf 'native dd conv=fsync:        %.3f s (%.0f MiB/s, median of %d)\n' "$dd_s" "$(echo "$MIB / $dd_s" | bc -l)" "$ROUNDS"
printf 'shred / dd throughput:       %.2fx\n' "$(echo "$dd_s / $one_s" | bc -l)"
