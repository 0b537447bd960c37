#!/usr/bin/env bash
# Builds the core and its tests with AddressSanitizer and UndefinedBehaviorSanitizer (the asan
# preset, no GUI) and runs every test under them.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh asan
ctest --preset asan -j "$(nproc)"
