#!/usr/bin/env bash
# Fails when clang-format (Debian's clang-format 14, installed by
# scripts/install-deps.sh, with the repository's .clang-format) would change
# any tracked .cpp or .h file, and names those files. Part of
# scripts/test-all.sh. To fix: clang-format -i FILE...
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

format=${CLANG_FORMAT:-clang-format}
if ! command -v "$format" >/dev/null; then
  echo "format: $format is not installed (scripts/install-deps.sh installs it)"
  exit 1
fi
if ! files=$(git ls-files -- '*.cpp' '*.h'); then
  echo "format: cannot list the tracked files"
  exit 1
fi
if [ -z "$files" ]; then
  echo "format: no .cpp or .h file is tracked"
  exit 1
fi

# One clang-format for all files; it names each file it would change in
# "FILE:LINE:COLUMN: error: code should be clang-formatted" lines.
output=$(tr '\n' '\0' <<<"$files" | xargs -0 "$format" --dry-run --Werror 2>&1)
status=$?
changed=$(sed -nE 's/^(.*):[0-9]+:[0-9]+: error: code should be clang-formatted.*/\1/p' <<<"$output" | sort -u)
if [ -n "$changed" ]; then
  count=$(wc -l <<<"$changed")
  echo "format: clang-format would change $count file(s):"
  sed 's/^/  /' <<<"$changed"
  echo "format: run: clang-format -i FILE..."
  exit 1
fi
if [ "$status" -ne 0 ]; then
  echo "format: clang-format failed (status $status):"
  tail -5 <<<"$output"
  exit 1
fi
echo "format: $(wc -l <<<"$files") files as clang-format has them"
