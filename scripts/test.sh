#!/usr/bin/env bash
# One command on a fresh Debian 12 machine: installs, builds, runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh release
QT_QPA_PLATFORM=offscreen ctest --preset release -j "$(nproc)"
