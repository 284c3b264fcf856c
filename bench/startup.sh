#!/usr/bin/env bash
# Start-up of Scourwell.exe as a user starts it (warm Wine: server running, another program
# open), phase by phase, against a minimal dialog program of ours started the same way: once with
# only rules\modern.ini beside it, once with a synthetic 4,000-entry winapp2.ini beside it too.
# Prints the median of the rounds for every phase, in seconds since `wine` was called, and the
# working set once the window shows.
# Usage: bench/startup.sh [rounds]   (SCOURWELL_BUILD picks the build folder; SCOURWELL_DPI=144
#        runs both programs at that display scaling)
set -euo pipefail
source "$(dirname "$0")/../scripts/common.sh"

ROUNDS=${1:-5}
BUILD=${SCOURWELL_BUILD:-$SCOURWELL_ROOT/build}
ensure_prefix "$BUILD/x86_64"
cmake --build "$BUILD/x86_64" --target Scourwell bench_startup_baseline bench_startup_rules >/dev/null

BIN="$WINEPREFIX/drive_c/scourwell/bin"
TRACE_DIR="$WINEPREFIX/drive_c/scourwell-bench"
mkdir -p "$TRACE_DIR"
export SCOURWELL_STARTUP_TRACE='C:\scourwell-bench\startup-trace.txt'
TRACE="$TRACE_DIR/startup-trace.txt"
BIG_RULES="$BIN/winapp2.ini"
if [ -e "$BIG_RULES" ]; then echo "$BIG_RULES exists: move it away first" >&2; exit 2; fi

other=""
cleanup() {
  [ -n "$other" ] && kill "$other" 2>/dev/null
  rm -f "$BIG_RULES"
  [ -n "${SCOURWELL_DPI:-}" ] && set_display_dpi 96
  stop_wineserver
  stop_display
}
trap cleanup EXIT
ensure_display
start_wineserver
[ -n "${SCOURWELL_DPI:-}" ] && set_display_dpi "$SCOURWELL_DPI"
# Another program already open, as on a user's desktop.
(cd "$BIN" && wine notepad </dev/null >/dev/null 2>&1) &
other=$!
sleep 2

# One start: prints "phase<TAB>seconds since launch" lines; ends the program once it is visible.
one_start() {
  local exe="$1" start deadline
  rm -f "$TRACE"
  start=$(date +%s.%N)
  (cd "$BIN" && exec wine "$exe" </dev/null >/dev/null 2>&1) &
  local pid=$!
  deadline=$(( $(date +%s) + 60 ))
  until grep -q 'main window visible' "$TRACE" 2>/dev/null; do
    if [ "$(date +%s)" -gt "$deadline" ]; then echo "timed out waiting for $exe" >&2; break; fi
    sleep 0.02
  done
  # The working set once the window shows: the resident size of the program's process.
  # `wine` becomes the program's own process, so its id is the one started here: no other
  # developer's program of the same name is measured or ended.
  local rss
  rss=$(awk '/^VmRSS/ { print $2 }' "/proc/$pid/status" 2>/dev/null || true)
  [ -n "$rss" ] && echo "$rss" > "$TRACE_DIR/rss-kb.txt"
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  # Let the desktop finish with the ended program's windows before the next start.
  sleep 3
  awk -F'\t' -v s="$start" '{ printf "%s\t%.3f\n", $2, $1 - s }' "$TRACE"
}

# Medians per phase, in the order the phases first appear.
median_table() {
  awk -F'\t' '
    { if (!($1 in n)) order[++k] = $1; v[$1, ++n[$1]] = $2 }
    END {
      for (i = 1; i <= k; i++) {
        p = order[i]; m = n[p]
        for (a = 1; a <= m; a++) x[a] = v[p, a]
        for (a = 1; a <= m; a++) for (b = a + 1; b <= m; b++) if (x[b] < x[a]) { t = x[a]; x[a] = x[b]; x[b] = t }
        printf "%s\t%.3f\n", p, (m % 2) ? x[(m + 1) / 2] : (x[m / 2] + x[m / 2 + 1]) / 2
      }
    }'
}

# Prints the medians of ROUNDS starts of Scourwell.exe, then the working set as the last line.
measure_main() {
  rm -f "$TRACE_DIR/rss-kb.txt"
  one_start Scourwell.exe >/dev/null   # one start to warm the caches
  for _ in $(seq "$ROUNDS"); do one_start Scourwell.exe; done | median_table
  printf 'rss-kb\t%s\n' "$(cat "$TRACE_DIR/rss-kb.txt" 2>/dev/null || echo 0)"
}
phase() { echo "$1" | awk -F'\t' -v p="$2" '$1 == p { print $2 }'; }

bare=$(measure_main)
"$BUILD/x86_64/wine-run.sh" "$BIN/bench_startup_rules.exe" 'C:\scourwell\bin\winapp2.ini' </dev/null
loaded=$(measure_main)
rm -f "$BIG_RULES"
base=$(for _ in $(seq "$ROUNDS"); do one_start bench_startup_baseline.exe; done | median_table)

for run in bare loaded; do
  if [ $run = bare ]; then
    echo "Scourwell.exe with rules\\modern.ini only, median of $ROUNDS warm starts (seconds since wine was called):"
  else
    echo "Scourwell.exe with a 4,000-entry winapp2.ini as well, median of $ROUNDS warm starts:"
  fi
  echo "${!run}" | awk -F'\t' '$1 != "rss-kb" { printf "  %-26s %6.3f\n", $1, $2 }'
done
echo "baseline (one dialog), median of $ROUNDS warm starts:"
echo "$base" | awk -F'\t' '{ printf "  %-26s %6.3f\n", $1, $2 }'
baseline=$(phase "$base" "main window visible")
for run in bare loaded; do
  visible=$(phase "${!run}" "main window visible")
  rss=$(phase "${!run}" "rss-kb")
  echo "$run ($([ $run = bare ] && echo 'modern.ini' || echo 'modern.ini + 4,000 entries')):"
  printf '  main window visible:                   %.3f s (target 1.3 s or less)\n' "$visible"
  printf '  less the 1 s splash pause, vs baseline: %+.3f s (target +0.3 s or less)\n' \
    "$(echo "$visible - 1 - $baseline" | bc -l)"
  printf '  working set after start:                %.1f MB (target under 60 MB)\n' "$(echo "$rss / 1024" | bc -l)"
done
