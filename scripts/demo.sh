#!/usr/bin/env bash
# Seeds the demo world into the private prefix of a build folder. Sourced by run.sh, never run.
# Only a prefix that ensure_prefix sandboxed is touched; a user's own ~/.wine never is.

seed_demo_world() {
  local prefix="$WINEPREFIX"
  if [ ! -f "$prefix/.scourwell-sandboxed" ]; then
    log "not seeding the demo world: $prefix is not our sandboxed prefix"
    return 1
  fi
  local source="$SCOURWELL_ROOT/scripts/demo/DemoWorld.cpp"
  local folder="$prefix/drive_c/scourwell/demo"
  local program="$folder/scourwell-demo.exe"
  mkdir -p "$folder"
  if [ ! -f "$program" ] || [ "$source" -nt "$program" ]; then
    x86_64-w64-mingw32-g++-posix -std=c++20 -O1 -Wall -Wextra -Werror -municode -static \
      -DUNICODE -D_UNICODE "$source" -o "$program" -lole32 -luuid -lshell32
  fi
  log "seeding the demo world (skip it with --no-demo)"
  (cd "$folder" && wine scourwell-demo.exe --private-prefix </dev/null)
}
