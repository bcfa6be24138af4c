#!/usr/bin/env bash
# Writes the editor pictures' references again from the current builds (after
# the editor's look changed on purpose): runs the `editor_pictures` test's
# renders with UPDATE, which copies each picture over its reference instead
# of comparing, into tests/tools/editor-pictures/linux (from build/linux) and
# tests/tools/editor-pictures/windows (from build/win64). Build both first
# (cmake --build --preset linux / win64). Then look at the pictures, check
# that build/win32 agrees (ctest --preset win32 -R editor_pictures) and
# commit them.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

# The test's command line as CTest would run it, with UPDATE added.
update() {
  ctest --test-dir "build/$1" -R '^editor_pictures$' --show-only=json-v1 | python3 -c '
import json, subprocess, sys
tests = json.load(sys.stdin)["tests"]
if not tests:
    sys.exit("make-editor-references: build/%s has no editor_pictures test; build that preset first" % sys.argv[1])
command = tests[0]["command"]
script = command.index("-P")
sys.exit(subprocess.call(command[:script] + ["-DUPDATE=ON"] + command[script:]))' "$1"
}

update linux
update win64
du -ch tests/tools/editor-pictures/*/*.png | tail -1
