#!/usr/bin/env bash
# Shared helpers of the setup, run and test scripts. Sourced, never run.
# Everything here is idempotent and touches only the build folder it is given.

SCOURWELL_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

log() { printf '[scourwell] %s\n' "$*" >&2; }

# Installs the Debian packages that are missing (needs root, as on CI).
ensure_packages() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  log "installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq </dev/null
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null >/dev/null
}

ensure_toolchain() {
  ensure_packages cmake ninja-build g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix \
    mingw-w64-tools libwine-dev googletest wine wine64 xvfb x11-utils imagemagick xauth nsis strace ntfs-3g
}

# Wine environment of one build folder: a private prefix, crash debugger off so a crash fails.
wine_env() {
  mkdir -p "$1"
  export WINEPREFIX="$(cd "$1" && pwd)/prefix"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
  export WINEARCH=win64
}

# Creates the sandboxed prefix once: no drive onto the Linux root, no links into the Linux home.
ensure_prefix() {
  local build="$1"
  wine_env "$build"
  [ -f "$WINEPREFIX/.scourwell-sandboxed" ] && return 0
  log "creating sandboxed Wine prefix in $WINEPREFIX"
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  wineboot -i </dev/null >/dev/null 2>&1
  wineserver -w
  rm -f "$WINEPREFIX/dosdevices/z:"
  local d
  for d in "$WINEPREFIX"/drive_c/users/*/*; do
    if [ -L "$d" ]; then rm "$d" && mkdir "$d"; fi
  done
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f </dev/null >/dev/null 2>&1
  wineserver -w
  touch "$WINEPREFIX/.scourwell-sandboxed"
}

# Starts a virtual display when none is set; remembers it so stop_display ends only ours.
STARTED_XVFB_PID=""
ensure_display() {
  if [ -n "${DISPLAY:-}" ]; then return 0; fi
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 2048x1536x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
    STARTED_XVFB_PID=$!
    export DISPLAY=":$n"
    local i
    for i in $(seq 50); do
      xdpyinfo -display ":$n" >/dev/null 2>&1 && return 0
      sleep 0.1
    done
    kill "$STARTED_XVFB_PID" 2>/dev/null
    STARTED_XVFB_PID=""
  done
  log "could not start a virtual display"
  return 1
}

stop_display() {
  if [ -n "$STARTED_XVFB_PID" ]; then
    kill "$STARTED_XVFB_PID" 2>/dev/null
    wait "$STARTED_XVFB_PID" 2>/dev/null
    STARTED_XVFB_PID=""
  fi
}

# The wine server of our prefix runs detached so it never holds ctest's output pipe.
start_wineserver() {
  wineserver -p </dev/null >/dev/null 2>&1
  (cd "$WINEPREFIX/drive_c" && wine cmd /c exit </dev/null >/dev/null 2>&1)
}

# The prefix's display scaling (96 = 100 %), as the display settings of Windows would set it.
set_display_dpi() {
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f </dev/null >/dev/null 2>&1
}

stop_wineserver() {
  [ -n "${WINEPREFIX:-}" ] && wineserver -k >/dev/null 2>&1
  return 0
}

# Configures and builds everything, or only the targets named in SCOURWELL_BUILD_TARGETS.
configure_and_build() {
  local build="$1" arch="$2"
  shift 2
  # ccache, when present, lets several checkouts of the tree share their compiles.
  local launcher=()
  if command -v ccache >/dev/null 2>&1; then
    export CCACHE_BASEDIR="$SCOURWELL_ROOT" CCACHE_NOHASHDIR=1
    launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  fi
  cmake -S "$SCOURWELL_ROOT" -B "$build" -G Ninja "${launcher[@]}" \
    -DCMAKE_TOOLCHAIN_FILE="$SCOURWELL_ROOT/cmake/toolchain-$arch.cmake" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  local targets=()
  [ -n "${SCOURWELL_BUILD_TARGETS:-}" ] && read -r -a targets <<<"--target $SCOURWELL_BUILD_TARGETS"
  cmake --build "$build" "${targets[@]}"
}
