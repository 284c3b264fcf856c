#!/usr/bin/env bash
# Sets everything up, builds both architectures and runs the test suites under Wine.
# Usage: scripts/test.sh [ctest arguments...]   (SCOURWELL_SKIP_I686=1 skips the 32-bit compile)
set -euo pipefail
source "$(dirname "$0")/common.sh"

BUILD=${SCOURWELL_BUILD:-$SCOURWELL_ROOT/build}
ensure_toolchain
ensure_prefix "$BUILD/x86_64"

cleanup() { stop_wineserver; stop_display; }
trap cleanup EXIT

configure_and_build "$BUILD/x86_64" x86_64 -DSCOURWELL_WINEPREFIX="$WINEPREFIX"
if [ "${SCOURWELL_SKIP_I686:-0}" != 1 ]; then
  log "compiling the 32-bit build"
  configure_and_build "$BUILD/i686" i686 -DSCOURWELL_TESTS=OFF
fi

ensure_display
start_wineserver
cd "$BUILD/x86_64"
# A test that fails is run once more: under Wine a test process now and then exits at once with
# no output at all (seen once in some 450 runs); the first failure stays in the output above.
ctest --output-on-failure --timeout 300 --repeat until-pass:2 "$@" </dev/null
