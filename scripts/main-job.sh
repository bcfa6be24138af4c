#!/usr/bin/env bash
# The main job: installs what is needed, builds the three plug-in binaries
# and prints what a host sees of each.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$(pwd)

bash scripts/install-deps.sh

for preset in linux win64 win32; do
  echo "=== building $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j2 --target Vrels vrels-host >/dev/null
done

echo
echo "=== Vrels.so (Linux)"
"$root/build/linux/vrels-host" info "$root/build/linux/Vrels.so"
echo
echo "=== Vrels64.dll (64-bit Windows, under wine)"
scripts/wine-run.sh 64 "$root/build/win64/vrels-host.exe" info "$root/build/win64/Vrels64.dll"
echo
echo "=== Vrels32.dll (32-bit Windows, under wine)"
scripts/wine-run.sh 32 "$root/build/win32/vrels-host.exe" info "$root/build/win32/Vrels32.dll"
