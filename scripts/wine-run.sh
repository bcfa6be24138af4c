#!/usr/bin/env bash
# Runs a Windows program under wine with the project's private prefix, made on
# first use. Used by CTest as the cross-compiling emulator:
#   wine-run.sh 64|32 program.exe [arguments...]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
bits=$1
shift
export WINEPREFIX="${WINEPREFIX:-$here/build/wineprefix}"
export WINEDEBUG=-all
# No debugger on a crash: a crashing test fails at once instead of hanging.
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
if [ ! -f "$WINEPREFIX/.vrels-ready" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  # Two test runs may make the prefix at once; the lock lets the first finish.
  exec 9>"$WINEPREFIX.lock"
  flock 9
  if [ ! -f "$WINEPREFIX/.vrels-ready" ]; then
    # Made by the 32-bit loader so that the prefix can run both bitnesses.
    wine wineboot -i >/dev/null 2>&1 || true
    wineserver -w || true
    touch "$WINEPREFIX/.vrels-ready"
  fi
  flock -u 9
fi
if [ "$bits" = 64 ] && [ -x /usr/lib/wine/wine64 ]; then
  exec /usr/lib/wine/wine64 "$@"
fi
exec wine "$@"
