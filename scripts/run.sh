#!/usr/bin/env bash
# One command on a fresh Debian 12 machine: installs, builds, and runs the main job on the
# bundled sample document. With a display it opens the editor on the sample (the whole Open
# road: requisites and tags); without one it converts the sample with norvak-cli.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh release >/dev/null
sample="${1:-data/samples/composed_postanovlenie_tablica.cp866.txt}"
bin=build/release/src
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -x "$bin/gui/norvak" ]; then
  exec "$bin/gui/norvak" --text "$sample"
fi
mkdir -p out
output="out/$(basename "${sample%.*}").rla"
echo "No display: converting $sample with norvak-cli"
"$bin/cli/norvak-cli" convert "$sample" -o "$output"
echo
echo "The source-format file is $output (CP866). Read it with:"
echo "  $bin/cli/norvak-cli show $output"
