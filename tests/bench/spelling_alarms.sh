#!/usr/bin/env bash
# Words flagged by spell checking per sample document, for the false-alarm figures in
# docs/performance.md: tests/bench/spelling_alarms.sh build/release [SAMPLES_DIR...]
set -euo pipefail
build=${1:?usage: spelling_alarms.sh BUILD_DIR [SAMPLES_DIR...]}
shift
dirs=("$@")
[ ${#dirs[@]} -eq 0 ] && dirs=("$(dirname "$0")/../data/samples")
cli="$build/src/cli/norvak-cli"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
printf '%-45s %8s %8s %9s\n' document words flagged "per 200"
for dir in "${dirs[@]}"; do
  for f in "$dir"/*.txt; do
    case "$f" in *README*) continue ;; esac
    enc=dos
    case "$f" in *cp1251*) enc=windows ;; esac
    report=$("$cli" convert "$f" -o "$out/doc.rla" --encoding "$enc" --spelling 2>/dev/null)
    line=$(grep '^Spelling:' <<<"$report")
    flagged=$(awk '{print $2}' <<<"$line")
    words=$(awk '{print $5}' <<<"$line")
    printf '%-45s %8s %8s %9.2f\n' "$(basename "$f" .txt)" "$words" "$flagged" \
      "$(awk -v f="$flagged" -v w="$words" 'BEGIN { print w ? 200 * f / w : 0 }')"
    grep '^  line' <<<"$report" | sed 's/^/    /' || true
  done
done
