#!/usr/bin/env bash
# The test command: installs what is needed, checks the layout with
# clang-format, builds every preset and runs every test natively, under the
# sanitizers and under wine. Ends with a summary and one line over all
# presets: "tests: N passed, M failed".
#
# The linux preset is built and tested first (its tests render the
# references the other presets compare with). Then the other presets are
# built one after another, and each one's tests run in the background while
# the next one builds, so the slow single-threaded runs (emulated 32-bit
# wine, the fuzzers) overlap with compiling. Each preset logs its build and
# its tests to build/<preset>.log; the console gets one line per step.
# VRELS_PRESETS="linux win32" limits the run to some presets.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source scripts/emulation.sh

started=$(date +%s)
if ! bash scripts/install-deps.sh; then
  echo "installing the dependencies failed"
  echo "tests: 0 passed, 1 failed"
  exit 1
fi

# win32 right after linux: under emulation its tests are the longest part.
presets=(linux win32 linux-asan linux-tsan fuzz win64)
[ -n "${VRELS_PRESETS:-}" ] && read -r -a presets <<<"$VRELS_PRESETS"

results=build/test-all
mkdir -p build
rm -rf "$results"
mkdir -p "$results"

say() { echo "$(date -u +%H:%M:%S) $*"; }
minutes() { printf '%dm%02ds' $(($1 / 60)) $(($1 % 60)); }

# One line of a result file: key and value.
result() { sed -n "s/^$2 //p" "$results/$1" 2>/dev/null | tail -1; }

build_preset() {
  local preset=$1 t0=$SECONDS
  say "$preset: configure and build (build/$preset.log)"
  if cmake --preset "$preset" >"build/$preset.log" 2>&1 &&
    cmake --build --preset "$preset" -j2 >>"build/$preset.log" 2>&1; then
    echo "build ok $((SECONDS - t0))" >"$results/$preset"
    return 0
  fi
  echo "build failed $((SECONDS - t0))" >"$results/$preset"
  say "$preset: the build FAILED"
  return 1
}

# Runs ctest for a preset; its output goes to the preset's log and the
# file $results/$preset.ctest, read by ctest_count and ctest_failed.
run_ctest() {
  local preset=$1
  shift
  ctest --preset "$preset" -j2 "$@" >"$results/$preset.ctest" 2>&1
  cat "$results/$preset.ctest" >>"build/$preset.log"
}
# "TOTAL FAILED" of the last run; no result line (ctest found no test or
# stopped) counts as one failure.
ctest_count() {
  local line
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$results/$1.ctest" | tail -1)
  if [ -z "$line" ]; then
    echo "1 1"
    return
  fi
  echo "$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$line") $(sed -E 's/.*passed, ([0-9]+) tests? failed.*/\1/' <<<"$line")"
}
# The names ctest lists under "The following tests FAILED:", with the reason.
ctest_failed() {
  grep -q 'tests passed, [0-9]* tests\? failed out of' "$results/$1.ctest" || {
    echo "ctest reported no result"
    return
  }
  sed -n '/The following tests FAILED:/,$p' "$results/$1.ctest" |
    sed -nE 's/^[[:space:]]+[0-9]+ - (.*) \(([^)]*)\)$/\1 (\2)/p' | paste -sd, - | sed 's/,/, /g'
}

test_preset() {
  local preset=$1 t0=$SECONDS note="" emulated=no timeout=1500
  if [ "$preset" = win32 ] && i386_emulated; then
    emulated=yes
    note=" (32-bit programs emulated by qemu)"
    # Each emulated test takes minutes; one that hangs must not take the
    # whole time of a CI run.
    timeout=900
  fi
  say "$preset: tests$note"
  echo "=== tests$note" >>"build/$preset.log"
  run_ctest "$preset" --timeout "$timeout"
  local total bad names
  read -r total bad <<<"$(ctest_count "$preset")"
  names=$(ctest_failed "$preset")
  # Under qemu's emulation a 32-bit wine process now and then dies of an
  # illegal instruction inside wine itself; there failing tests are run once
  # more, but not those that timed out. Every other test runs once.
  if [ "$emulated" = yes ] && [ "$bad" -gt 0 ] && [[ "$names" != *"(Timeout)"* ]] &&
    [[ "$names" != "ctest reported no result" ]]; then
    say "$preset: $bad failed ($names); running those once more"
    echo "=== the failed tests once more" >>"build/$preset.log"
    run_ctest "$preset" --timeout "$timeout" --rerun-failed
    local again
    read -r _ again <<<"$(ctest_count "$preset")"
    bad=$again
    names=$(ctest_failed "$preset")
  fi
  {
    echo "tests $((total - bad)) $bad $((SECONDS - t0))"
    echo "note $note"
    echo "failed $names"
  } >>"$results/$preset"
  say "$preset: $((total - bad)) passed, $bad failed in $(minutes $((SECONDS - t0)))"
}

# The layout check, counted as one test.
format_output=$(bash scripts/check-format.sh 2>&1)
format_status=$?
say "$(tail -1 <<<"$format_output")"

jobs=()
# Wine's prefix is made while the first presets build (under emulation that
# takes minutes); the Windows tests wait for it (scripts/wine-run.sh).
if [[ " ${presets[*]} " == *" win"* ]]; then
  {
    if bash scripts/wine-run.sh prefix >build/wineprefix.log 2>&1; then
      say "wine's prefix is ready"
    else
      say "making wine's prefix FAILED (build/wineprefix.log); the Windows tests will try again"
    fi
  } &
  jobs+=($!)
fi
for preset in "${presets[@]}"; do
  build_preset "$preset" || continue
  if [ "$preset" = linux ]; then
    test_preset linux
  else
    test_preset "$preset" &
    jobs+=($!)
  fi
done
say "waiting for the tests still running"
for job in "${jobs[@]}"; do wait "$job"; done

# The summary: what failed comes last, just above the closing line.
passed=0
failed=0
problems=()
echo
echo "=== summary ($(minutes $((SECONDS))) in all)"
for preset in "${presets[@]}"; do
  build=$(result "$preset" build)
  tests=$(result "$preset" tests)
  read -r build_state build_time <<<"${build:-missing 0}"
  if [ "$build_state" != ok ]; then
    failed=$((failed + 1))
    printf '%-12s build FAILED after %s\n' "$preset" "$(minutes "$build_time")"
    problems+=("$preset: the build failed; the end of build/$preset.log:")
    while IFS= read -r line; do problems+=("    $line"); done < <(
      grep -E ': error|error:|FAILED:|CMake Error' "build/$preset.log" | head -8
      tail -4 "build/$preset.log")
    continue
  fi
  read -r good bad test_time <<<"${tests:-0 1 0}"
  passed=$((passed + good))
  failed=$((failed + bad))
  printf '%-12s built in %s, %d passed, %d failed in %s%s\n' "$preset" "$(minutes "$build_time")" \
    "$good" "$bad" "$(minutes "$test_time")" "$(result "$preset" note)"
  if [ "$bad" -gt 0 ]; then
    problems+=("$preset: failed: $(result "$preset" failed) (build/$preset.log)")
    # The failing cases, and what wine said where a program failed under it.
    while IFS= read -r line; do problems+=("    $line"); done < <(
      grep -E '^\[  FAILED  \] [^ ]+\.[^ ]+' "build/$preset.log" | awk '!seen[$0]++' | head -8
      grep -o 'wine-run: .*' "build/$preset.log" | awk '
        / failed under wine / { prog = $2; head[prog] = $0; prev[prog] = last[prog] = ""; if (!(prog in seen)) { seen[prog] = 1; names[++count] = prog }; next }
        prog != "" { prev[prog] = last[prog]; last[prog] = $0 }
        END { for (i = 1; i <= count && i <= 4; i++) { p = names[i]; print head[p]; if (prev[p] != "") print prev[p]; if (last[p] != "") print last[p] } }')
  fi
done
if [ "$format_status" -eq 0 ]; then
  passed=$((passed + 1))
  printf '%-12s 1 passed\n' clang-format
else
  failed=$((failed + 1))
  printf '%-12s 1 failed\n' clang-format
  problems+=("clang-format:")
  while IFS= read -r line; do problems+=("    $line"); done < <(head -12 <<<"$format_output")
fi

if [ "${#problems[@]}" -gt 0 ]; then
  echo
  echo "=== what failed"
  printf '%s\n' "${problems[@]}"
fi
echo "tests: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
