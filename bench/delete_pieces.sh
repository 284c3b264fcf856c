#!/usr/bin/env bash
# What each question of a checked delete costs against a bare DeleteFileW, on 5,000 files in 250
# folders, and what holding and removing a folder costs against RemoveDirectoryW; on a RAM disk
# (drive R: of the prefix) so that the code's own cost shows, or on C: with SCOURWELL_BENCH_DISK=1
# (then each side waits for the disk to settle first). SCOURWELL_PIECES="0,16,17" times only those
# rows of the table in delete_pieces.cpp.
# Usage: bench/delete_pieces.sh [rounds]   (SCOURWELL_BUILD picks the build folder)
set -euo pipefail
source "$(dirname "$0")/../scripts/common.sh"
source "$(dirname "$0")/ram_drive.sh"

ROUNDS=${1:-7}
BUILD=${SCOURWELL_BUILD:-$SCOURWELL_ROOT/build}
ensure_prefix "$BUILD/x86_64"
cmake --build "$BUILD/x86_64" --target bench_delete_pieces >/dev/null 2>&1

cleanup() {
  stop_wineserver
  rm -rf "$WINEPREFIX/drive_c/scourwell-bench-pieces"
  remove_ram_drive
}
trap cleanup EXIT
folder='C:\scourwell-bench-pieces\'
export SCOURWELL_SETTLE_MS=6000
if [ "${SCOURWELL_BENCH_DISK:-0}" != 1 ]; then
  make_ram_drive
  folder='R:\pieces\'
  export SCOURWELL_SETTLE_MS=0
fi
start_wineserver
"$BUILD/x86_64/wine-run.sh" "$WINEPREFIX/drive_c/scourwell/bin/bench_delete_pieces.exe" "$folder" "$ROUNDS" </dev/null
