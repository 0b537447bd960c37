#!/usr/bin/env bash
# Fails when a tracked C++ file differs from what clang-format 14 (Debian 12's) makes of it with
# the repository's .clang-format; names the files. Mend with: clang-format -i FILE
set -euo pipefail
cd "$(dirname "$0")/.."
formatter="${CLANG_FORMAT:-clang-format}"
version="$("$formatter" --version)"
case "$version" in
  *" 14."*) ;;
  *) echo "check-format: needs clang-format 14 (Debian 12), found: $version" >&2; exit 1 ;;
esac
mapfile -t files < <(git ls-files '*.cpp' '*.h')
report="$(mktemp)"
trap 'rm -f "$report"' EXIT
if ! "$formatter" --dry-run --Werror "${files[@]}" 2>"$report"; then
  grep -E '^[^ ].*: (error|warning):' "$report" | cut -d: -f1 | sort -u | sed 's/^/  /' >&2
  echo "check-format: the files above differ from .clang-format; run: clang-format -i FILE" >&2
  exit 1
fi
echo "check-format: ${#files[@]} files formatted"
