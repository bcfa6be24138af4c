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

test_preset() {
  local preset=$1 t0=$SECONDS retry=() note=""
  # Under qemu's emulation a 32-bit wine process now and then dies of an
  # illegal instruction inside wine itself; there a failing test is run
  # once more. Every other test runs once.
  if [ "$preset" = win32 ] && i386_emulated; then
    retry=(--repeat until-pass:2)
    note=" (32-bit programs emulated by qemu)"
  fi
  say "$preset: tests$note"
  echo "=== tests$note" >>"build/$preset.log"
  ctest --preset "$preset" -j2 --timeout 1500 "${retry[@]}" >>"build/$preset.log" 2>&1
  # No result line (ctest found no test or stopped) counts as one failure.
  local line total=1 bad=1
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "build/$preset.log" | tail -1)
  if [ -n "$line" ]; then
    total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$line")
    bad=$(sed -E 's/.*passed, ([0-9]+) tests? failed.*/\1/' <<<"$line")
  fi
  # The names ctest lists under "The following tests FAILED:".
  local names
  names=$(sed -n '/The following tests FAILED:/,$p' "build/$preset.log" |
    sed -nE 's/^[[:space:]]+[0-9]+ - (.*) \(([^)]*)\)$/\1 (\2)/p' | paste -sd, - | sed 's/,/, /g')
  [ -z "$line" ] && names="ctest reported no result"
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
