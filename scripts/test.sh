#!/usr/bin/env bash
# Installs what is missing (the packages of the program and of the tests), builds, and runs every
# test. Extra arguments go to CMake.
# Usage: scripts/test.sh [BUILD_DIR] [-DOPTION=VALUE ...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh" --tests
build=${1:-$root/build}
shift || true
"$root/scripts/build.sh" "$build" -DNPTESTS_BUILD_TESTS=ON "$@"
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
