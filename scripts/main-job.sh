#!/usr/bin/env bash
# The main job, a demo: installs what is needed, builds Vrels.so and the
# command-line host, and renders the built-in demo phrase through Vrels once
# with the default settings and once with each factory preset. The WAV files
# go into build/demo, each with a PNG picture of the editor as the render
# left it (settings, meters, the flock where it is); for each render it
# prints the length, peak, RMS and the realtime factor of the processing.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

bash scripts/install-deps.sh

echo "=== building Vrels.so and vrels-host"
cmake --preset linux >/dev/null
cmake --build --preset linux -j2 --target Vrels vrels-host >/dev/null

host=build/linux/vrels-host
plugin=build/linux/Vrels.so
out=build/demo
tail_seconds=4
rm -rf "$out"
mkdir -p "$out"

echo
echo "=== the demo phrase"
"$host" phrase "$out/Demo Phrase.wav"

echo
echo "=== through Vrels ($tail_seconds s of tail each)"
"$host" render "$plugin" "$out/Demo Phrase.wav" "$out/Defaults.wav" --tail "$tail_seconds" --quiet \
  --editor-png "$out/Defaults.png"
for preset in presets/*.txt; do
  name=$(basename "$preset" .txt)
  "$host" render "$plugin" "$out/Demo Phrase.wav" "$out/$name.wav" --preset "$preset" --tail "$tail_seconds" --quiet \
    --editor-png "$out/$name.png"
done

echo
echo "The files are in $(pwd)/$out"
