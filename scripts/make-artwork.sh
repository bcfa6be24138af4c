#!/usr/bin/env bash
# Builds the artwork generator and runs it: rewrites the editor's images in
# resources/ and writes the review sheets build/artwork/review-1x.png and
# review-2x.png (the background with every control's first frame, at 1x and
# enlarged 2x). The generator fails, naming the element and the control,
# when a caption or decoration would overlap a control rectangle.
#
#   scripts/make-artwork.sh           rewrite resources/*.png
#   scripts/make-artwork.sh --check   write into build/artwork/check and
#                                     compare with the committed files
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

build=build/artwork/build
out=build/artwork
mkdir -p "$out"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DVRELS_BUILD_TESTS=OFF >"$out/configure.log" 2>&1 || {
  cat "$out/configure.log"
  exit 1
}
cmake --build "$build" --target vrels_artwork -j2 >"$out/build.log" 2>&1 || {
  cat "$out/build.log"
  exit 1
}

if [ "${1:-}" = "--check" ]; then
  rm -rf "$out/check"
  mkdir -p "$out/check"
  "$build/tools/artwork/vrels_artwork" "$out/check" "$out"
  status=0
  for f in resources/*.png; do
    if ! cmp -s "$f" "$out/check/$(basename "$f")"; then
      echo "make-artwork: $f differs from what the generator makes" >&2
      status=1
    fi
  done
  [ "$(ls "$out/check" | wc -l)" = "$(ls resources/*.png | wc -l)" ] || {
    echo "make-artwork: the generator makes other files than resources/ holds" >&2
    status=1
  }
  [ "$status" = 0 ] && echo "make-artwork: the committed images are the generator's"
  exit "$status"
fi

"$build/tools/artwork/vrels_artwork" resources "$out"
echo "make-artwork: resources/*.png written; review sheets in $out/review-1x.png and review-2x.png"
