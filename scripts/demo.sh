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
  (cd "$folder" && wine scourwell-demo.exe --private-prefix </dev/null) || return 1
  # A link inside a browser cache, to a folder outside it: a clean must remove nothing behind it.
  # Wine shows a Linux link to a folder as a folder link; the Windows side cannot make one here.
  local cache
  for cache in "$prefix"/drive_c/users/*/AppData/Local/Google/Chrome/"User Data"/"Profile 1"/Cache/Cache_Data; do
    [ -d "$cache" ] && [ ! -L "$cache/outside" ] && ln -s "$prefix/drive_c/Demo/Outside the cache" "$cache/outside"
  done
  return 0
}
