#!/usr/bin/env bash
# Takes the screenshot of the free-space wipe dialog part-way, on a 1 GiB NTFS image mounted as a
# drive of the private prefix (never on C:, which is this machine's own disk). Needs root and fuse,
# and a build (scripts/run.sh or scripts/test.sh makes one).
# Usage: scripts/wipe-shot.sh [FILE]   (default build/screenshots/wipe-free.png)
set -euo pipefail
source "$(dirname "$0")/common.sh"
BUILD=${SCOURWELL_BUILD:-$SCOURWELL_ROOT/build}
SHOT=$(realpath -m "${1:-$BUILD/screenshots/wipe-free.png}")
ensure_toolchain
ensure_packages xdotool
ensure_prefix "$BUILD/x86_64"
configure_and_build "$BUILD/x86_64" x86_64 -DSCOURWELL_WINEPREFIX="$WINEPREFIX"
source "$SCOURWELL_ROOT/tests/fixtures/ntfs-volume.sh"
ntfs_volume_up "$WINEPREFIX" 1G
cleanup() { stop_wineserver; stop_display; ntfs_volume_down; }
trap cleanup EXIT
ensure_display
start_wineserver
cd "$WINEPREFIX/drive_c/scourwell/bin"
wine Scourwell.exe </dev/null >/dev/null 2>&1 &
sleep 6
window=$(xdotool search --name '^Scourwell$' | head -n 1)
xdotool mousemove --window "$window" 87 309 click 1   # the Shredder tab
sleep 2
xdotool mousemove --window "$window" 737 418 click 1  # Wipe Free Space
sleep 2
dialog=$(xdotool search --name '^Wipe Free Space$' | head -n 1)
# The drive list has the focus; a letter picks the drive that starts with it.
xdotool key --window "$dialog" "${vol_drive:0:1}"
sleep 1
xdotool key --window "$dialog" Return                  # Start
for i in $(seq 50); do [ -d "$vol_mnt/Scourwell free space wipe" ] && break; sleep 0.1; done
if [ ! -d "$vol_mnt/Scourwell free space wipe" ]; then
  # Not the image: end everything at once before a real disk fills.
  wineserver -k
  echo "the wipe did not start on $vol_drive; stopped" >&2
  exit 1
fi
sleep "${SCOURWELL_WIPE_SHOT_AFTER:-4}"
mkdir -p "$(dirname "$SHOT")"
import -display "$DISPLAY" -window root "$SHOT"
geometry=$(xwininfo -id "$window")
w=$(sed -n 's/.*Width: *//p' <<<"$geometry"); h=$(sed -n 's/.*Height: *//p' <<<"$geometry")
x=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$geometry"); y=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$geometry")
convert "$SHOT" -crop "${w}x${h}+${x}+${y}" +repage "$SHOT"
xdotool key --window "$dialog" Escape                  # stops the wipe, which deletes its files
for i in $(seq 100); do [ -d "$vol_mnt/Scourwell free space wipe" ] || break; sleep 0.1; done
echo "screenshot: $SHOT"
