#!/usr/bin/env bash
# The free-space wipe's fill throughput against a bare unbuffered WriteFile loop of the same block
# size (1 MiB) on the same NTFS volume in the same run, and the time of its file-record fill on a
# 64 MiB volume. Both volumes are images mounted with ntfs-3g as a drive of the private prefix
# (root and fuse needed): nothing here ever fills a real disk.
# Usage: bench/wipe_fill.sh [volume size for the throughput, e.g. 512M] [rounds]
set -euo pipefail
source "$(dirname "$0")/../scripts/common.sh"
SIZE=${1:-512M}
ROUNDS=${2:-3}
BUILD=${SCOURWELL_BUILD:-$SCOURWELL_ROOT/build}
ensure_prefix "$BUILD/x86_64"
cmake --build "$BUILD/x86_64" --target bench_wipe_fill >/dev/null
source "$SCOURWELL_ROOT/tests/fixtures/ntfs-volume.sh"
bench="$WINEPREFIX/drive_c/scourwell/bin/bench_wipe_fill.exe"
cleanup() { stop_wineserver; ntfs_volume_down; }
for size in "$SIZE" 64M; do
  ntfs_volume_up "$WINEPREFIX" "$size" >/dev/null
  trap cleanup EXIT
  start_wineserver
  echo "== NTFS volume of $size as $vol_drive"
  "$BUILD/x86_64/wine-run.sh" "$bench" "$vol_drive" "$ROUNDS" </dev/null
  stop_wineserver
  ntfs_volume_down
  trap - EXIT
done
