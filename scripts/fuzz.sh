#!/usr/bin/env bash
# Builds the fuzz preset (clang, libFuzzer) and runs each fuzz target in turn for a set time.
#   scripts/fuzz.sh [seconds per target, default 60] [target ...]
# Working corpora grow under build/fuzz/corpus/<target>; they start from copies of the test
# data, the bundled samples and fuzz/seeds. Crashes are kept in build/fuzz/artifacts/<target>/.
# Exit status: 0 when no target found anything, 1 otherwise.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
shift || true
all_targets=(fuzz_servicedata fuzz_sourceformat fuzz_rubricator fuzz_openroad fuzz_html fuzz_docx
  fuzz_odt)
targets=("$@")
[[ ${#targets[@]} -gt 0 ]] || targets=("${all_targets[@]}")

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j 2 >/dev/null

# seeds <target>: the files a target's corpus starts from.
seeds() {
  case "$1" in
    fuzz_servicedata) ls tests/data/dictionaries/*.dat ;;
    fuzz_sourceformat) ls tests/data/sourceformat/*.rla data/samples/*.txt ;;
    fuzz_rubricator) ls fuzz/seeds/rubricator/* data/rubricator/*.txt ;;
    fuzz_openroad) ls data/samples/*.txt tests/data/markup/*.txt tests/data/sourceformat/*.rla ;;
    fuzz_html) ls tests/data/formats/*.html fuzz/seeds/html/* ;;
    fuzz_docx) ls tests/data/formats/*.docx ;;
    fuzz_odt) ls tests/data/formats/*.odt ;;
  esac
}

found=0
for t in "${targets[@]}"; do
  corpus="build/fuzz/corpus/$t"
  artifacts="build/fuzz/artifacts/$t"
  mkdir -p "$corpus" "$artifacts"
  for f in $(seeds "$t"); do
    cp -n "$f" "$corpus/seed_$(basename "$f")"
  done
  echo "== $t: ${seconds}s"
  if ! "build/fuzz/fuzz/$t" -max_total_time="$seconds" -max_len=65536 -timeout=10 \
      -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$artifacts/" "$corpus" \
      >"build/fuzz/$t.log" 2>&1; then
    found=1
    echo "   FOUND something: see build/fuzz/$t.log and $artifacts/"
  fi
  grep -E "^stat::number_of_executed_units|^stat::peak_rss_mb" "build/fuzz/$t.log" | sed 's/^/   /' || true
done
exit "$found"
