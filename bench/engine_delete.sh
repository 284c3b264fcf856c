#!/usr/bin/env bash
# Delete all of 100,000 files in 5,051 folders through the engine against a bare
# FindFirstFileW + DeleteFileW walk over an identical tree (same run, under Wine). The copies
# are made natively beforehand, which is much quicker than making them through Wine.
# Usage: bench/engine_delete.sh [rounds]   (SCOURWELL_BUILD picks the build folder)
# SCOURWELL_BENCH_RAM=1 puts both trees on a RAM disk (/dev/shm, as drive R: of the prefix): the
# disk's own time (journal, other programs' writes) then no longer hides what the code costs.
set -euo pipefail
source "$(dirname "$0")/../scripts/common.sh"

ROUNDS=${1:-3}
BUILD=${SCOURWELL_BUILD:-$SCOURWELL_ROOT/build}
ensure_prefix "$BUILD/x86_64"
cmake --build "$BUILD/x86_64" --target bench_engine_delete >/dev/null 2>&1

source "$(dirname "$0")/ram_drive.sh"
base="$WINEPREFIX/drive_c/scourwell-bench-delete"
windows_base='C:\scourwell-bench-delete\'
settle=6000
cleanup() {
  stop_wineserver
  rm -rf "$base"
  remove_ram_drive
}
trap cleanup EXIT
if [ "${SCOURWELL_BENCH_RAM:-0}" = 1 ]; then
  make_ram_drive
  base="$RAM_FOLDER/copies"
  windows_base='R:\copies\'
  settle=0
fi
rm -rf "$base"
mkdir -p "$base/template/tree"
# The same shape as the program's own tree: 50 x 100 folders of 20 files.
for t in $(seq 0 49); do
  for s in $(seq 0 99); do
    d="$base/template/tree/top$t/folder$s"
    mkdir -p "$d"
    (cd "$d" && touch file{0..19}.dat)
  done
done
touch "$base/template/complete.flag"
for r in $(seq 0 $((ROUNDS - 1))); do
  cp -r "$base/template" "$base/round$r-bare"
  cp -r "$base/template" "$base/round$r-engine"
done
rm -rf "$base/template"

start_wineserver
"$BUILD/x86_64/wine-run.sh" "$WINEPREFIX/drive_c/scourwell/bin/bench_engine_delete.exe" "$windows_base" "$ROUNDS" "$settle" </dev/null
