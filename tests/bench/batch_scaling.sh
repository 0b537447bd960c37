#!/usr/bin/env bash
# Batch conversion scaling: 200 documents with -j 1 and with -j 2, wall-clock seconds and the
# speed-up. Usage: tests/bench/batch_scaling.sh [BUILD_DIR] (default build/release).
set -euo pipefail
cd "$(dirname "$0")/../.."
build="${1:-build/release}"
cli="$build/src/cli/norvak-cli"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/in"
samples=(tests/data/samples/*.cp866.txt)
for i in $(seq 1 200); do
  cp "${samples[$((i % ${#samples[@]}))]}" "$work/in/doc$(printf %03d "$i").txt"
done
run() {
  local start end
  start=$(date +%s.%N)
  "$cli" batch "$work/in" -o "$work/out$1" -j "$1" >/dev/null
  end=$(date +%s.%N)
  awk -v a="$start" -v b="$end" 'BEGIN { printf "%.2f", b - a }'
}
t1=$(run 1)
t2=$(run 2)
echo "batch of 200 documents: -j 1 ${t1}s, -j 2 ${t2}s, speed-up $(awk -v a="$t1" -v b="$t2" 'BEGIN { printf "%.2f", a / b }')"
