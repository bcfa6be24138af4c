#!/usr/bin/env bash
# The test command: installs what is needed, builds every preset and runs
# every test natively, under the sanitizers and under wine. Ends with one
# summary line over all presets.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

bash scripts/install-deps.sh || { echo "installing the dependencies failed"; exit 1; }

presets=(linux linux-asan linux-tsan fuzz win64 win32)
[ -n "${VRELS_PRESETS:-}" ] && read -r -a presets <<<"$VRELS_PRESETS"

passed=0
failed=0
broken=()
for preset in "${presets[@]}"; do
  mkdir -p build
  echo "=== $preset: configure and build"
  if ! cmake --preset "$preset" >"build/$preset.log" 2>&1 || ! cmake --build --preset "$preset" -j2 >>"build/$preset.log" 2>&1; then
    tail -40 "build/$preset.log"
    broken+=("$preset")
    failed=$((failed + 1))
    continue
  fi
  rm -f "build/$preset.log"
  echo "=== $preset: test"
  # Under qemu's emulation (see scripts/install-deps.sh) a 32-bit wine
  # process now and then dies of an illegal instruction inside wine itself;
  # there a failing test is run once more. Every other target runs once.
  retry=()
  if [ "$preset" = win32 ] && [ -e /proc/sys/fs/binfmt_misc/qemu-i386 ]; then
    retry=(--repeat until-pass:2)
  fi
  output=$(ctest --preset "$preset" "${retry[@]}" 2>&1)
  echo "$output"
  line=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' <<<"$output" | tail -1)
  if [ -z "$line" ]; then
    broken+=("$preset")
    failed=$((failed + 1))
    continue
  fi
  total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$line")
  bad=$(sed -E 's/.*passed, ([0-9]+) tests failed.*/\1/' <<<"$line")
  passed=$((passed + total - bad))
  failed=$((failed + bad))
  [ "$bad" -gt 0 ] && broken+=("$preset")
done

[ "${#broken[@]}" -gt 0 ] && echo "presets with failures: ${broken[*]}"
echo "tests: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
