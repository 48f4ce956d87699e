#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test. Extra arguments go to CMake.
# Usage: scripts/test.sh [BUILD_DIR] [-DOPTION=VALUE ...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
build=${1:-$root/build}
shift || true
"$root/scripts/build.sh" "$build" "$@"
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
