#!/usr/bin/env bash
# Builds the core and its tests with AddressSanitizer and UndefinedBehaviorSanitizer (the asan
# preset, no GUI) and runs every test under them; then a smoke run of every fuzz target, one
# minute each (NORVAK_FUZZ_SECONDS overrides), which fails when a target finds anything.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh asan
ctest --preset asan -j "$(nproc)"
scripts/fuzz.sh "${NORVAK_FUZZ_SECONDS:-60}"
