#!/usr/bin/env bash
# Seeds the demo world into the private prefix of a build folder. Sourced by run.sh, never run.
# Only a prefix that ensure_prefix sandboxed is touched; a user's own ~/.wine never is.

seed_demo_world() {
  local prefix="$WINEPREFIX"
  if [ ! -f "$prefix/.scourwell-sandboxed" ]; then
    log "not seeding the demo world: $prefix is not our sandboxed prefix"
    return 1
  fi
  # The build makes the program (target scourwell-demo) before run.sh seeds.
  local folder="$prefix/drive_c/scourwell/demo"
  if [ ! -f "$folder/scourwell-demo.exe" ]; then
    log "not seeding the demo world: the build made no $folder/scourwell-demo.exe"
    return 1
  fi
  log "seeding the demo world (skip it with --no-demo)"
  (cd "$folder" && wine scourwell-demo.exe --private-prefix </dev/null)
}
