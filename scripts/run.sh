#!/usr/bin/env bash
# Sets everything up, builds Scourwell, seeds the demo world into the private prefix and runs
# the program under Wine. With $DISPLAY set the window opens there; without one it runs on a
# virtual display and saves a screenshot.
#
# Usage: scripts/run.sh [--no-demo] [--shot FILE] [--click X,Y]... [--] [Scourwell.exe arguments]
#   --no-demo    leave the prefix as it is (no demo traces, junk or files to shred)
#   --shot FILE  where the screenshot goes (without a display; default build/screenshots/scourwell.png)
#   --click X,Y  without a display: click at X,Y of the main window before the screenshot, in
#                order, SCOURWELL_CLICK_PAUSE seconds apart (default 2); tab i (0-3) is at 87,$((199 + 55*i))
#                at 100 % (scale the point with --dpi)
#   --dpi N      display scaling for this run (96 = 100 %, 120, 144 = 150 %, 192 = 200 %); put back after
set -euo pipefail
source "$(dirname "$0")/common.sh"
source "$(dirname "$0")/demo.sh"

BUILD=${SCOURWELL_BUILD:-$SCOURWELL_ROOT/build}
DEMO=1
SHOT=""
CLICKS=()
DPI=""
while [ $# -gt 0 ]; do
  case "$1" in
    --no-demo) DEMO=0; shift ;;
    --shot) SHOT=$(realpath -m "$2"); shift 2 ;;
    --click) CLICKS+=("$2"); shift 2 ;;
    --dpi) DPI="$2"; shift 2 ;;
    --) shift; break ;;
    *) break ;;
  esac
done

ensure_toolchain
ensure_prefix "$BUILD/x86_64"
# Only what runs here: the test suites take most of a first build.
SCOURWELL_BUILD_TARGETS="Scourwell scourwell-cli lumeShl scourwell-demo" \
  configure_and_build "$BUILD/x86_64" x86_64 -DSCOURWELL_WINEPREFIX="$WINEPREFIX"

BIN="$WINEPREFIX/drive_c/scourwell/bin"
if [ -n "${DISPLAY:-}" ]; then
  [ "$DEMO" = 1 ] && seed_demo_world
  [ -n "$DPI" ] && set_display_dpi "$DPI"
  cd "$BIN"
  wine Scourwell.exe "$@" || true
  [ -n "$DPI" ] && set_display_dpi 96
  wineserver -w
  exit 0
fi

cleanup() {
  [ -n "$DPI" ] && set_display_dpi 96
  stop_wineserver
  stop_display
}
trap cleanup EXIT
ensure_display
[ "$DEMO" = 1 ] && seed_demo_world
[ -n "$DPI" ] && set_display_dpi "$DPI"
cd "$BIN"
wine Scourwell.exe "$@" </dev/null >/dev/null 2>&1 &
sleep "${SCOURWELL_SHOT_DELAY:-6}"
ensure_packages xdotool
window=$(xdotool search --name '^Scourwell$' | head -n 1 || true)
if [ ${#CLICKS[@]} -gt 0 ] && [ -n "$window" ]; then
  for click in "${CLICKS[@]}"; do
    xdotool mousemove --window "$window" "${click%,*}" "${click#*,}" click 1
    sleep "${SCOURWELL_CLICK_PAUSE:-2}"
  done
fi
SHOT=${SHOT:-$BUILD/screenshots/scourwell.png}
mkdir -p "$(dirname "$SHOT")"
import -display "$DISPLAY" -window root "$SHOT"
# Just the main window when it is in view.
if [ -n "$window" ] && geometry=$(xwininfo -id "$window" 2>/dev/null); then
  x=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$geometry"); y=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$geometry")
  w=$(sed -n 's/.*Width: *//p' <<<"$geometry"); h=$(sed -n 's/.*Height: *//p' <<<"$geometry")
  [ "${w:-0}" -gt 1 ] && convert "$SHOT" -crop "${w}x${h}+${x}+${y}" +repage "$SHOT"
fi
echo "screenshot: $SHOT"
if [ -x "$BIN/scourwell-cli.exe" ] || [ -f "$BIN/scourwell-cli.exe" ]; then
  echo "traces that 'scourwell-cli scan default --rules' finds in the private Wine prefix:"
  wine scourwell-cli.exe scan default --rules </dev/null || true
fi
