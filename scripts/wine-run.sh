#!/usr/bin/env bash
# Runs a Windows program under wine with the project's private prefix, made on
# first use:
#   wine-run.sh 64|32 program.exe [arguments...]
#   wine-run.sh prefix      (only makes the prefix, if it is not there yet)
# Every wine process of the project starts here: CTest's cross-compiling
# emulator (cmake/mingw-w64-*.cmake) and the scripts that tests run
# (tests/tools/HostRender.cmake get it as EMULATOR). The program's status is
# returned as it is.
#
# Wine's own error lines are kept aside and shown (prefixed "wine-run: ")
# only when the program fails, so that a program that could not start says
# why, and a passing run stays quiet.
#
# Where the kernel runs no 32-bit programs, scripts/install-deps.sh has
# registered qemu's user-mode emulator for them (binfmt_misc). Decided here,
# at run time, whatever the build folder was configured with:
# - qemu 7.2 needs QEMU_RESERVED_VA for 32-bit wine ("failed to map the
#   shared user data" without it); it is set for every wine process, as
#   only qemu reads it;
# - 64-bit programs run with the 64-bit loader, never through the `wine`
#   launcher (the 32-bit loader, which fails on them there);
# - a test may name arguments to add when its 32-bit program runs emulated
#   in VRELS_EMULATED_ARGS (a CTest ENVIRONMENT property): those leave out
#   threaded cases, which crash under qemu. The last --gtest_filter wins;
# - now and then an emulated wine process stops for good, all its threads
#   waiting on the wineserver with no CPU used. A 32-bit program that uses
#   no CPU time for STALL_SECONDS is killed and, once, started again; the
#   report says so.
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$here/scripts/emulation.sh"

bits=$1
shift
program=$(basename "${1:-?}")

export WINEPREFIX="${WINEPREFIX:-$here/build/wineprefix}"
export WINEDEBUG=-all,err+all
# No debugger on a crash: a crashing test fails at once instead of hanging.
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
export QEMU_RESERVED_VA="${QEMU_RESERVED_VA:-0xf7000000}"

wine32=wine
wine64=wine
[ -x /usr/lib/wine/wine64 ] && wine64=/usr/lib/wine/wine64

# Runs a command with wine's lines (errors, and notes such as "wine: created
# the configuration directory") sent to the file $1 and the rest of its
# standard error passed on afterwards. Its standard error goes to a file,
# not a pipe: the wineserver and the services that a wine process starts
# keep it open after the program ends, and a pipe would make this wait for
# them.
wine_lines_to() {
  local file=$1 raw status
  shift
  raw=$(mktemp "${TMPDIR:-/tmp}/wine-run.XXXXXX")
  if [ "${watch_for_stall:-no}" = yes ]; then
    run_watched "$@" 2>"$raw"
  else
    "$@" 2>"$raw"
  fi
  status=$?
  awk -v file="$file" '
    /^([0-9a-f]+:)?(err|fixme|warn|trace):/ || /^wine( client error)?:/ { print >> file; next }
    { print > "/dev/stderr" }' "$raw"
  rm -f "$raw"
  return "$status"
}

# Seconds without CPU time after which an emulated program counts as stopped,
# and the status it then ends with.
STALL_SECONDS=${VRELS_STALL_SECONDS:-180}
STALL_STATUS=124

# The CPU time (clock ticks) of a process and all its descendants, threads
# included, from /proc.
tree_cpu_ticks() {
  cat /proc/[0-9]*/stat 2>/dev/null | awk -v root="$1" '
    { line = $0; sub(/^.*\) /, "", line); split(line, f, " ")
      pid = $1; parent[pid] = f[2]; ticks[pid] = f[12] + f[13] }
    END {
      for (p in ticks) {
        for (q = p; q != "" && q != 0 && q != 1; q = parent[q]) if (q == root) { sum += ticks[p]; break }
      }
      print sum + 0
    }'
}

# Runs a command in the background and kills it once the CPU time of it and
# its descendants has not moved for STALL_SECONDS; its status, or
# STALL_STATUS after such a kill.
run_watched() {
  "$@" &
  local pid=$! cpu last=-1 idle=0 step=5
  while kill -0 "$pid" 2>/dev/null; do
    sleep "$step"
    cpu=$(tree_cpu_ticks "$pid")
    if [ "$cpu" = "$last" ]; then
      idle=$((idle + step))
    else
      idle=0
      last=$cpu
    fi
    if [ "$idle" -ge "$STALL_SECONDS" ]; then
      kill -9 "$pid" 2>/dev/null
      wait "$pid" 2>/dev/null
      return "$STALL_STATUS"
    fi
  done
  wait "$pid"
}

# Shows what wine said before a failure.
report() {
  local what=$1 status=$2 file=$3
  echo "wine-run: $what failed under wine (status $status, $(describe_i386)); wine said:" >&2
  if [ -s "$file" ]; then
    tail -20 "$file" | sed 's/^/wine-run:   /' >&2
  else
    echo "wine-run:   (nothing)" >&2
  fi
}

describe_i386() {
  if [ "$bits" = prefix ]; then
    i386_emulated && echo "32-bit programs emulated by qemu" || echo "32-bit programs native"
  elif [ "$bits" = 64 ]; then
    echo "64-bit"
  elif i386_emulated; then
    echo "32-bit, emulated by qemu"
  else
    echo "32-bit"
  fi
}

lines=$(mktemp "${TMPDIR:-/tmp}/wine-run.XXXXXX")
trap 'rm -f "$lines"' EXIT

if [ ! -f "$WINEPREFIX/.vrels-ready" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  # Two test runs may make the prefix at once; the lock lets the first finish.
  exec 9>"$WINEPREFIX.lock"
  flock 9
  if [ ! -f "$WINEPREFIX/.vrels-ready" ]; then
    # With wine32 installed, the 64-bit loader's prefix runs both bitnesses
    # (wineboot sets up the 32-bit side with a 32-bit helper).
    wine_lines_to "$lines" "$wine64" wineboot -i >/dev/null
    status=$?
    if [ "$status" -ne 0 ]; then
      report "making the prefix $WINEPREFIX" "$status" "$lines"
      exit 1
    fi
    /usr/lib/wine/wineserver -w || wineserver -w || true
    touch "$WINEPREFIX/.vrels-ready"
  fi
  flock -u 9
  exec 9>&-
  : >"$lines"
fi
[ "$bits" = prefix ] && exit 0

args=("$@")
if [ "$bits" = 64 ]; then
  loader=$wine64
else
  loader=$wine32
  if [ -n "${VRELS_EMULATED_ARGS:-}" ] && i386_emulated; then
    read -r -a extra <<<"$VRELS_EMULATED_ARGS"
    args+=("${extra[@]}")
  fi
fi

watch_for_stall=no
[ "$bits" = 32 ] && i386_emulated && watch_for_stall=yes
wine_lines_to "$lines" "$loader" "${args[@]}"
status=$?
if [ "$watch_for_stall" = yes ] && [ "$status" -eq "$STALL_STATUS" ]; then
  echo "wine-run: $program used no CPU for ${STALL_SECONDS} s under emulation and was stopped; starting it once more" >&2
  : >"$lines"
  wine_lines_to "$lines" "$loader" "${args[@]}"
  status=$?
  [ "$status" -eq "$STALL_STATUS" ] &&
    echo "wine-run: $program stopped again (no CPU for ${STALL_SECONDS} s under emulation)" >&2
fi
[ "$status" -ne 0 ] && report "$program" "$status" "$lines"
exit "$status"
